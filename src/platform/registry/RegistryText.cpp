#include "platform/registry/RegistryText.h"

#include <QtEndian>

#include <optional>

namespace {

constexpr QByteArrayView kHeader("REGEDIT4");
constexpr QByteArrayView kRootName("HKEY_CURRENT_USER");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QByteArrayView SkipBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    return text;
}

// Nothing but blanks, or a comment: then the comment, with the blanks before it, goes to
// comment (lines come trimmed).
bool IsEndOfData(QByteArrayView rest, QByteArrayView& comment)
{
    const QByteArrayView body = SkipBlanks(rest);
    const bool bEnd = body.isEmpty() || body.front() == ';';
    comment = bEnd && !body.isEmpty() ? rest : QByteArrayView();
    return bEnd;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Takes the hex number at the start of the text: at least one digit, at most nMaxDigits of
// them, and not above nMaxValue.
std::optional<quint32> TakeHexNumber(QByteArrayView& text, qsizetype nMaxDigits, quint64 nMaxValue)
{
    quint64 n = 0;
    qsizetype nCount = 0;
    for (; nCount < text.size() && HexDigit(text[nCount]) >= 0; ++nCount) {
        n = n << 4 | quint64(HexDigit(text[nCount]));
        if (n > nMaxValue || nCount == nMaxDigits)
            return std::nullopt;
    }
    if (nCount == 0)
        return std::nullopt;
    text = text.sliced(nCount);
    return quint32(n);
}

// A quoted text starting at text[0] == '"'. Returns the text and the number of characters it
// took, closing quote included.
std::optional<std::pair<QByteArray, qsizetype>> ParseQuoted(QByteArrayView text)
{
    QByteArray out;
    for (qsizetype i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"')
            return std::pair(out, i + 1);
        if (c == '\\') {
            if (++i == text.size() || text[i] == '0')
                return std::nullopt;
            c = text[i] == 'n' ? '\n' : text[i] == 'r' ? '\r' : text[i];
        }
        out.append(c);
    }
    return std::nullopt;
}

bool StartsWithNoCase(QByteArrayView text, QByteArrayView prefix)
{
    return text.size() >= prefix.size() &&
           text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

enum class HexResult
{
    Complete,
    Continued, // a backslash asks for the next line
    Failed,
};

// "01,ab,ff": a byte's digits (leading zeros allowed), commas between, blanks around, a comment or
// a backslash (more on the next line) after the last comma.
HexResult ParseHexBytes(QByteArrayView text, QByteArray& bytes, QByteArrayView& comment)
{
    for (;;) {
        if (IsEndOfData(text, comment))
            return HexResult::Complete;
        text = SkipBlanks(text);
        if (text.front() == '\\')
            return HexResult::Continued;
        const auto byte = TakeHexNumber(text, text.size(), 0xff);
        if (!byte)
            return HexResult::Failed;
        bytes.append(char(*byte));
        if (IsEndOfData(text, comment))
            return HexResult::Complete;
        text = SkipBlanks(text);
        if (text.front() != ',')
            return HexResult::Failed;
        text = text.sliced(1);
    }
}

class CParser
{
public:
    explicit CParser(QByteArrayView text)
    {
        m_result.text = text.toByteArray();
        m_text = m_result.text;
        if (m_text.startsWith("\xEF\xBB\xBF"))
            m_nAt = 3;
    }

    RegistryParseResult Run()
    {
        while (!AtEnd()) {
            const qsizetype nStart = m_nAt;
            const QByteArrayView line = Trimmed(NextLine());
            if (line.isEmpty() || line.startsWith(';') || line.startsWith('#') || line == kHeader)
                continue;
            const bool bEndsBroken = std::exchange(m_bBroken, false);
            bool bParsed = false;
            if (line.startsWith('['))
                bParsed = ParseKey(line, nStart);
            else if (line.startsWith('"') || line.startsWith('@'))
                bParsed = m_pKey && ParseValue(line, nStart);
            if (bParsed)
                m_result.entries.back().bEndsBrokenValue = bEndsBroken;
            else
                m_result.nSkippedLines += CountLines(nStart);
        }
        return std::move(m_result);
    }

private:
    bool AtEnd() const { return m_nAt >= m_text.size(); }

    QByteArrayView PeekLine() const
    {
        const qsizetype end = m_text.indexOf('\n', m_nAt);
        return m_text.sliced(m_nAt, (end < 0 ? m_text.size() : end) - m_nAt);
    }

    QByteArrayView NextLine()
    {
        const QByteArrayView line = PeekLine();
        m_nAt = std::min(m_nAt + line.size() + 1, m_text.size());
        return line;
    }

    // The lines read since nStart that hold more than a comment.
    int CountLines(qsizetype nStart) const
    {
        int nLines = 0;
        for (qsizetype at = nStart; at < m_nAt;) {
            const qsizetype end = std::min(m_text.indexOf('\n', at), m_nAt);
            const QByteArrayView body = Trimmed(m_text.sliced(at, (end < 0 ? m_nAt : end) - at));
            nLines += !body.isEmpty() && !body.startsWith(';') && !body.startsWith('#');
            at = end < 0 ? m_nAt : end + 1;
        }
        return nLines;
    }

    RegistryTextEntry& AddEntry(RegistryTextEntry::Kind kind, qsizetype nStart)
    {
        RegistryTextEntry& entry = m_result.entries.emplace_back();
        entry.kind = kind;
        entry.nStart = nStart;
        entry.nEnd = m_nAt;
        entry.path = m_pKey->first;
        return entry;
    }

    bool ParseKey(QByteArrayView line, qsizetype nStart)
    {
        // Values under a key that cannot be read cannot be placed either: they are skipped.
        m_pKey = nullptr;
        // The name ends at the line's last bracket; what follows is a comment.
        const qsizetype close = line.lastIndexOf(']');
        if (close < 0)
            return false;
        const QByteArrayView name = line.sliced(1, close - 1);
        if (name.isEmpty() || IsBlank(name.front()))
            return false;
        const qsizetype slash = name.indexOf('\\');
        const QByteArrayView root = slash < 0 ? name : name.first(slash);
        if (root.compare(kRootName, Qt::CaseInsensitive) != 0)
            return false;
        const QByteArrayView path = slash < 0 ? QByteArrayView() : name.sliced(slash + 1);
        if (slash >= 0 && path.isEmpty())
            return false;
        if (!IsValidRegistryPath(path))
            return false;
        m_pKey = &m_result.data.CreateKey(path);
        AddEntry(RegistryTextEntry::Kind::Key, nStart);
        return true;
    }

    bool ParseValue(QByteArrayView line, qsizetype nStart)
    {
        QByteArray name;
        if (line.startsWith('@')) {
            line = line.sliced(1);
        } else {
            const auto quoted = ParseQuoted(line);
            if (!quoted || !IsValidRegistryValueName(quoted->first))
                return false;
            name = quoted->first;
            line = line.sliced(quoted->second);
        }
        line = SkipBlanks(line);
        if (!line.startsWith('='))
            return false;
        line = SkipBlanks(line.sliced(1));
        QByteArrayView comment;
        if (line.startsWith('-')) {
            if (!IsEndOfData(line.sliced(1), comment))
                return false;
            m_pKey->second.erase(name);
            AddEntry(RegistryTextEntry::Kind::Removal, nStart).name = name;
            return true;
        }
        QByteArray notes;
        bool bOpenEnd = false;
        const auto value = ParseData(line, notes, comment, bOpenEnd);
        if (!value)
            return false;
        // A name met twice keeps its last value, as an import would leave it.
        m_pKey->second.insert_or_assign(name, *value);
        RegistryTextEntry& entry = AddEntry(RegistryTextEntry::Kind::Value, nStart);
        entry.name = name;
        entry.comment = comment.toByteArray();
        entry.notes = notes;
        entry.bOpenEnd = bOpenEnd;
        return true;
    }

    std::optional<RegistryValue> ParseData(QByteArrayView data, QByteArray& notes,
                                           QByteArrayView& comment, bool& bOpenEnd)
    {
        if (data.startsWith('"')) {
            const auto quoted = ParseQuoted(data);
            if (!quoted || !IsEndOfData(data.sliced(quoted->second), comment))
                return std::nullopt;
            QByteArray bytes = quoted->first;
            bytes.append('\0');
            return RegistryValue{REG_SZ, bytes};
        }
        if (StartsWithNoCase(data, "dword:")) {
            QByteArrayView digits = SkipBlanks(data.sliced(6));
            const auto n = TakeHexNumber(digits, 8, 0xffffffff);
            if (!n || !IsEndOfData(digits, comment))
                return std::nullopt;
            QByteArray bytes(4, '\0');
            qToLittleEndian(*n, bytes.data());
            return RegistryValue{REG_DWORD, bytes};
        }
        quint32 dwType = REG_BINARY;
        if (StartsWithNoCase(data, "hex(")) {
            data = data.sliced(4);
            const auto n = TakeHexNumber(data, 8, 0xffffffff);
            if (!n || !data.startsWith("):"))
                return std::nullopt;
            dwType = *n;
            data = data.sliced(2);
        } else if (StartsWithNoCase(data, "hex:")) {
            data = data.sliced(4);
        } else {
            return std::nullopt;
        }
        QByteArray bytes;
        HexResult result = ParseHexBytes(data, bytes, comment);
        while (result == HexResult::Continued) {
            // Long hex data goes on over the following lines, comments and blank lines among
            // them; it ends at the end of the text. Any other line cuts it short, and is read
            // on its own again: a damaged value never swallows a key or value.
            if (AtEnd()) {
                bOpenEnd = true;
                break;
            }
            const qsizetype nLine = m_nAt;
            const QByteArrayView next = Trimmed(PeekLine());
            if (next.isEmpty() || next.startsWith(';')) {
                NextLine();
                notes.append(m_text.sliced(nLine, m_nAt - nLine));
                continue;
            }
            if (HexDigit(next.front()) < 0) {
                m_bBroken = true;
                return std::nullopt;
            }
            NextLine();
            result = ParseHexBytes(next, bytes, comment);
        }
        if (result == HexResult::Failed)
            return std::nullopt;
        return RegistryValue{dwType, bytes};
    }

    QByteArrayView m_text;
    qsizetype m_nAt = 0;
    RegistryParseResult m_result;
    CRegistryData::Keys::value_type* m_pKey = nullptr;
    bool m_bBroken = false; // the line about to be read cut short a value's continuation
};

} // namespace

RegistryParseResult ParseRegistryText(QByteArrayView text)
{
    return CParser(text).Run();
}
