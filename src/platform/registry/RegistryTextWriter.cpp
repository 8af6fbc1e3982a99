#include "platform/registry/RegistryText.h"

#include <QtEndian>

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr QByteArrayView kHeader("REGEDIT4");
constexpr QByteArrayView kRootName("HKEY_CURRENT_USER");
// Hex data is wrapped before a line grows past 80 characters, as an export wraps it.
constexpr qsizetype kWrapColumn = 76;

using Kind = RegistryTextEntry::Kind;

void AppendQuoted(QByteArray& out, QByteArrayView text)
{
    out.append('"');
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.append('\\');
        out.append(c);
    }
    out.append('"');
}

// A REG_SZ is written as text when it reads back to the same bytes: one terminating zero and
// no other, and no line break.
bool IsPlainText(const RegistryValue& value)
{
    if (value.dwType != REG_SZ || !value.data.endsWith('\0'))
        return false;
    const QByteArrayView text = QByteArrayView(value.data).chopped(1);
    return !text.contains('\0') && !text.contains('\n') && !text.contains('\r');
}

void AppendValue(QByteArray& out, QByteArrayView name, const RegistryValue& value)
{
    const qsizetype nLineStart = out.size();
    if (name.isEmpty())
        out.append('@');
    else
        AppendQuoted(out, name);
    out.append('=');
    if (IsPlainText(value)) {
        AppendQuoted(out, QByteArrayView(value.data).chopped(1));
    } else if (value.dwType == REG_DWORD && value.data.size() == 4) {
        out.append("dword:");
        out.append(QByteArray::number(qFromLittleEndian<quint32>(value.data.constData()), 16)
                       .rightJustified(8, '0'));
    } else {
        if (value.dwType == REG_BINARY) {
            out.append("hex:");
        } else {
            out.append("hex(");
            out.append(QByteArray::number(value.dwType, 16));
            out.append("):");
        }
        qsizetype nColumn = out.size() - nLineStart;
        const QByteArray hex = value.data.toHex();
        for (qsizetype i = 0; i < value.data.size(); ++i) {
            out.append(QByteArrayView(hex).sliced(2 * i, 2));
            if (i + 1 == value.data.size())
                break;
            out.append(',');
            nColumn += 3;
            if (nColumn > kWrapColumn) {
                out.append("\\\n  ");
                nColumn = 2;
            }
        }
    }
    out.append('\n');
}

void AppendKeyLine(QByteArray& out, QByteArrayView path)
{
    out.append('[');
    out.append(kRootName);
    if (!path.isEmpty()) {
        out.append('\\');
        out.append(path);
    }
    out.append("]\n");
}

bool Less(QByteArrayView left, QByteArrayView right)
{
    return RegistryNameLess()(left, right);
}

// Writes the changed data into the text it was read from. Every entry of the text is kept,
// written anew or dropped; new values and keys go after the entry that precedes their place.
class CTextUpdate
{
public:
    CTextUpdate(const RegistryParseResult& original, const CRegistryData& data)
        : m_original(original), m_data(data), m_entries(original.entries),
          m_plans(size_t(m_entries.size()))
    {
        const qsizetype firstEnd = original.text.indexOf('\n');
        m_bCrLf = firstEnd > 0 && original.text[firstEnd - 1] == '\r';
    }

    QByteArray Run()
    {
        FindSections();
        PlanValues();
        PlanKeys();
        return Write();
    }

private:
    struct Plan
    {
        bool bDrop = false;
        QByteArray replacement;       // written instead of the entry when not empty
        bool bOnlyIfFollowed = false; // the replacement is needed only when lines follow
        QByteArray before;            // new keys written before the entry's first line
        QByteArray afterValues;       // new values of the entry's key written after it
        QByteArray afterKeys;         // new keys written after those
    };

    // Where a key's lines are in the text: its last key line and the values below it.
    struct Section
    {
        qsizetype nKeyEntry = -1;
        std::vector<qsizetype> entries;
    };

    using KeyId = const CRegistryData::Keys::value_type*;

    void FindSections()
    {
        Section* pCurrent = nullptr;
        m_keys.reserve(size_t(m_entries.size()));
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            const RegistryTextEntry& entry = m_entries[i];
            // An entry's key is the one of the key line before it.
            const KeyId key = entry.kind == Kind::Key || m_keys.empty()
                                  ? m_original.data.FindKey(entry.path)
                                  : m_keys.back();
            m_keys.push_back(key);
            if (entry.kind == Kind::Key) {
                pCurrent = &m_sections[key];
                *pCurrent = Section{i, {}};
                m_keyEntries.push_back(i);
            } else if (pCurrent) {
                pCurrent->entries.push_back(i);
            }
        }
    }

    void PlanValues()
    {
        // The last entry of a value is the one that holds it.
        std::vector<const RegistryValue*> old(size_t(m_entries.size()), nullptr);
        std::map<const RegistryValue*, qsizetype> holders;
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].kind == Kind::Value) {
                old[size_t(i)] = OriginalValue(i);
                holders[old[size_t(i)]] = i;
            }
        }
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            const RegistryTextEntry& entry = m_entries[i];
            const RegistryValue* pOld = old[size_t(i)];
            if (!pOld)
                continue; // a removal, or a value removed further on: neither changes
            const auto* pNew = NewValue(i);
            Plan& plan = m_plans[size_t(i)];
            if (!pNew) {
                // A removed value loses every line that sets it. A line that cut short the
                // continuation of a damaged value before it becomes a removal, so that the
                // damaged value keeps being read as it was.
                plan.bDrop = !entry.bEndsBrokenValue;
                if (entry.bEndsBrokenValue) {
                    AppendRemoval(plan.replacement, entry.name);
                    plan.replacement.insert(plan.replacement.size() - 1, entry.comment);
                }
            } else if (holders[pOld] == i) {
                // Data continued to the end of the text would take in whatever is written
                // after it: such an entry is written anew when anything follows.
                if (!(pNew->second == *pOld) || entry.bOpenEnd) {
                    AppendValue(plan.replacement, pNew->first, pNew->second);
                    plan.replacement.insert(plan.replacement.size() - 1, entry.comment);
                }
                plan.bOnlyIfFollowed = pNew->second == *pOld;
            }
        }
        for (const auto& [path, values] : m_data.GetKeys()) {
            const KeyId oldKey = m_original.data.FindKey(path);
            const auto section = oldKey ? m_sections.find(oldKey) : m_sections.end();
            if (section == m_sections.end())
                continue; // written with its key
            for (const auto& [name, value] : values) {
                if (oldKey->second.find(name) == oldKey->second.end())
                    AppendValue(m_plans[size_t(ValueAnchor(section->second, name))].afterValues,
                                name, value);
            }
        }
    }

    // The entry after which a new value goes: the one before the first value of its section
    // that sorts after it, but never before a removal of the same name.
    qsizetype ValueAnchor(const Section& section, QByteArrayView name) const
    {
        qsizetype nAnchor = section.nKeyEntry;
        bool bPlaced = false;
        for (const qsizetype i : section.entries) {
            const RegistryTextEntry& entry = m_entries[i];
            const bool bSame = !Less(entry.name, name) && !Less(name, entry.name);
            if (bSame && entry.kind == Kind::Removal) {
                nAnchor = i;
                bPlaced = false;
            } else if (!bPlaced) {
                if (Less(name, entry.name))
                    bPlaced = true;
                else
                    nAnchor = i;
            }
        }
        return nAnchor;
    }

    void PlanKeys()
    {
        for (const auto& [path, values] : m_data.GetKeys()) {
            const KeyId oldKey = m_original.data.FindKey(path);
            // Keys above a key read from the text are there without lines of their own.
            if (oldKey && (m_sections.count(oldKey) != 0 || values.empty()))
                continue;
            QByteArray section;
            AppendKeyLine(section, path);
            for (const auto& [name, value] : values)
                AppendValue(section, name, value);
            // Before the first key line that sorts after it, but after the lines of the key
            // before that, comments included.
            const auto next = std::find_if(
                m_keyEntries.begin(), m_keyEntries.end(),
                [&, &path = path](qsizetype i) { return Less(path, m_entries[i].path); });
            const qsizetype nNext = next == m_keyEntries.end() ? -1 : *next;
            if (next == m_keyEntries.begin() && nNext >= 0) {
                m_plans[size_t(nNext)].before.append(section).append('\n');
            } else if (!m_keyEntries.empty()) {
                const qsizetype nAnchor = nNext < 0 ? m_entries.size() - 1 : nNext - 1;
                m_plans[size_t(nAnchor)].afterKeys.append('\n').append(section);
            } else {
                m_atEnd.append('\n').append(section);
            }
        }
    }

    const RegistryValue* OriginalValue(qsizetype nEntry) const
    {
        const auto& values = m_keys[size_t(nEntry)]->second;
        const auto it = values.find(m_entries[nEntry].name);
        return it == values.end() ? nullptr : &it->second;
    }

    const CRegistryData::Values::value_type* NewValue(qsizetype nEntry)
    {
        const KeyId oldKey = m_keys[size_t(nEntry)];
        auto known = m_newKeys.find(oldKey);
        if (known == m_newKeys.end())
            known = m_newKeys.emplace(oldKey, m_data.FindKey(oldKey->first)).first;
        if (!known->second)
            return nullptr;
        const auto& values = known->second->second;
        const auto it = values.find(m_entries[nEntry].name);
        return it == values.end() ? nullptr : &*it;
    }

    static void AppendRemoval(QByteArray& out, QByteArrayView name)
    {
        if (name.isEmpty())
            out.append('@');
        else
            AppendQuoted(out, name);
        out.append("=-\n");
    }

    QByteArray Lines(const QByteArray& text) const
    {
        if (!m_bCrLf)
            return text;
        QByteArray out = text;
        return out.replace("\n", "\r\n");
    }

    void EnsureLineEnd(QByteArray& out) const
    {
        if (!out.isEmpty() && !out.endsWith('\n'))
            out.append(m_bCrLf ? "\r\n" : "\n");
    }

    QByteArray Write()
    {
        const QByteArray& text = m_original.text;
        QByteArray out;
        out.reserve(text.size() + 256);
        qsizetype nCursor = 0;
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            const RegistryTextEntry& entry = m_entries[i];
            const Plan& plan = m_plans[size_t(i)];
            out.append(QByteArrayView(text).sliced(nCursor, entry.nStart - nCursor));
            out.append(Lines(plan.before));
            const bool bAnythingAfter =
                !plan.afterValues.isEmpty() || !plan.afterKeys.isEmpty() || !m_atEnd.isEmpty();
            if (!plan.replacement.isEmpty() && (!plan.bOnlyIfFollowed || bAnythingAfter)) {
                out.append(Lines(plan.replacement));
                out.append(entry.notes);
            } else if (plan.bDrop) {
                out.append(entry.notes);
            } else {
                out.append(QByteArrayView(text).sliced(entry.nStart, entry.nEnd - entry.nStart));
            }
            if (!plan.afterValues.isEmpty() || !plan.afterKeys.isEmpty()) {
                EnsureLineEnd(out);
                out.append(Lines(plan.afterValues));
                out.append(Lines(plan.afterKeys));
            }
            nCursor = entry.nEnd;
        }
        out.append(QByteArrayView(text).sliced(nCursor));
        if (!m_atEnd.isEmpty()) {
            // No key line anywhere: the keys go at the end, after one blank line.
            EnsureLineEnd(out);
            const bool bBlankBefore =
                out.isEmpty() || out.endsWith("\n\n") || out.endsWith("\n\r\n");
            out.append(Lines(m_atEnd.sliced(bBlankBefore ? 1 : 0)));
            out.append(Lines("\n"));
        }
        return out;
    }

    const RegistryParseResult& m_original;
    const CRegistryData& m_data;
    const QList<RegistryTextEntry>& m_entries;
    std::vector<Plan> m_plans;
    std::vector<KeyId> m_keys;        // each entry's key in the original data
    std::map<KeyId, KeyId> m_newKeys; // the same key in the changed data
    std::map<KeyId, Section> m_sections;
    std::vector<qsizetype> m_keyEntries; // the key lines, in the text's order
    QByteArray m_atEnd;
    bool m_bCrLf = false;
};

} // namespace

QByteArray FormatRegistryText(const CRegistryData& data)
{
    QByteArray out(kHeader.toByteArray());
    out.append('\n');
    for (const auto& [path, values] : data.GetKeys()) {
        // The root is always there; it is written only when it holds values.
        if (path.isEmpty() && values.empty())
            continue;
        out.append('\n');
        AppendKeyLine(out, path);
        for (const auto& [name, value] : values)
            AppendValue(out, name, value);
    }
    out.append('\n');
    return out;
}

QByteArray UpdateRegistryText(const RegistryParseResult& original, const CRegistryData& data)
{
    if (original.text.isEmpty())
        return FormatRegistryText(data);
    return CTextUpdate(original, data).Run();
}
