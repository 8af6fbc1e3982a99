#include "platform/RegistryText.h"

#include <QtEndian>

#include <optional>

namespace {

constexpr QByteArrayView kHeader("REGEDIT4");
constexpr QByteArrayView kRootName("HKEY_CURRENT_USER");
// Hex data is wrapped before a line grows past 80 characters, as an export wraps it.
constexpr qsizetype kWrapColumn = 76;

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

// A number of one to eight hex digits, the whole text.
std::optional<quint32> ParseHexNumber(QByteArrayView text, qsizetype nMinDigits)
{
    if (text.size() < nMinDigits || text.size() > 8)
        return std::nullopt;
    quint32 n = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        n = n << 4 | quint32(digit);
    }
    return n;
}

// "01,ab,ff": two digits a byte, commas between, blanks around; a missing or short byte (as a
// cut-off line leaves it) fails the whole list.
std::optional<QByteArray> ParseHexBytes(QByteArrayView text)
{
    QByteArray bytes;
    text = Trimmed(text);
    if (text.isEmpty())
        return bytes;
    for (;;) {
        const qsizetype comma = text.indexOf(',');
        const QByteArrayView item = Trimmed(comma < 0 ? text : text.first(comma));
        const auto byte = ParseHexNumber(item, 2);
        if (item.size() != 2 || !byte)
            return std::nullopt;
        bytes.append(char(*byte));
        if (comma < 0)
            return bytes;
        text = text.sliced(comma + 1);
    }
}

// A quoted text starting at text[0] == '"', with \\ and \" as its only escapes. Returns the
// text and the number of characters it took, closing quote included.
std::optional<std::pair<QByteArray, qsizetype>> ParseQuoted(QByteArrayView text)
{
    QByteArray out;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            return std::pair(out, i + 1);
        if (c == '\\') {
            if (++i == text.size() || (text[i] != '\\' && text[i] != '"'))
                return std::nullopt;
        }
        out.append(text[i]);
    }
    return std::nullopt;
}

class CParser
{
public:
    explicit CParser(QByteArrayView text) : m_text(text)
    {
        if (m_text.startsWith("\xEF\xBB\xBF"))
            m_text = m_text.sliced(3);
    }

    RegistryParseResult Run()
    {
        while (!AtEnd()) {
            const QByteArrayView line = Trimmed(NextLine());
            if (line.isEmpty() || line.startsWith(';') || line == kHeader)
                continue;
            bool bParsed = false;
            if (line.startsWith('['))
                bParsed = ParseKey(line);
            else if (line.startsWith('"') || line.startsWith('@'))
                bParsed = m_pKey && ParseValue(line);
            if (!bParsed)
                ++m_result.nSkippedLines;
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
        m_nAt += line.size() + 1;
        return line;
    }

    bool ParseKey(QByteArrayView line)
    {
        // Values under a key that cannot be read cannot be placed either: they are skipped.
        m_pKey = nullptr;
        if (!line.endsWith(']'))
            return false;
        const QByteArrayView name = line.sliced(1, line.size() - 2);
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
        return true;
    }

    bool ParseValue(QByteArrayView line)
    {
        QByteArray name;
        if (line.startsWith('@')) {
            line = line.sliced(1);
        } else {
            const auto quoted = ParseQuoted(line);
            if (!quoted)
                return false;
            name = quoted->first;
            line = line.sliced(quoted->second);
        }
        if (!line.startsWith('='))
            return false;
        const auto value = ParseData(line.sliced(1));
        if (!value)
            return false;
        // A name met twice keeps its last value, as an import would leave it.
        m_pKey->second.insert_or_assign(name, *value);
        return true;
    }

    std::optional<RegistryValue> ParseData(QByteArrayView data)
    {
        if (data.startsWith('"')) {
            const auto quoted = ParseQuoted(data);
            if (!quoted || quoted->second != data.size())
                return std::nullopt;
            QByteArray bytes = quoted->first;
            bytes.append('\0');
            return RegistryValue{REG_SZ, bytes};
        }
        const qsizetype colon = data.indexOf(':');
        if (colon < 0)
            return std::nullopt;
        const QByteArrayView kind = data.first(colon);
        const QByteArrayView rest = data.sliced(colon + 1);
        if (kind.compare("dword", Qt::CaseInsensitive) == 0) {
            // Exactly eight digits, so that a cut-off line is not taken for a smaller number.
            const auto n = ParseHexNumber(rest, 8);
            if (!n)
                return std::nullopt;
            QByteArray bytes(4, '\0');
            qToLittleEndian(*n, bytes.data());
            return RegistryValue{REG_DWORD, bytes};
        }
        quint32 dwType = REG_BINARY;
        if (kind.size() > 5 && kind.first(4).compare("hex(", Qt::CaseInsensitive) == 0 &&
            kind.endsWith(')')) {
            const auto n = ParseHexNumber(kind.sliced(4, kind.size() - 5), 1);
            if (!n)
                return std::nullopt;
            dwType = *n;
        } else if (kind.compare("hex", Qt::CaseInsensitive) != 0) {
            return std::nullopt;
        }
        const auto bytes = ParseHexBytes(JoinContinuations(rest));
        if (!bytes)
            return std::nullopt;
        return RegistryValue{dwType, *bytes};
    }

    // Long hex data goes on over indented lines after a trailing backslash. Only lines that
    // hold nothing but hex data are taken, so a damaged value never swallows a key or value.
    QByteArray JoinContinuations(QByteArrayView first)
    {
        QByteArray joined = first.toByteArray();
        while (joined.endsWith('\\')) {
            if (AtEnd())
                break;
            const QByteArrayView next = PeekLine();
            if (next.isEmpty() || !IsBlank(next.front()) || !IsHexData(Trimmed(next)))
                break;
            NextLine();
            joined.chop(1);
            joined.append(Trimmed(next));
        }
        return joined;
    }

    static bool IsHexData(QByteArrayView text)
    {
        for (char c : text) {
            if (HexDigit(c) < 0 && c != ',' && c != '\\' && !IsBlank(c))
                return false;
        }
        return !text.isEmpty();
    }

    QByteArrayView m_text;
    qsizetype m_nAt = 0;
    RegistryParseResult m_result;
    CRegistryData::Keys::value_type* m_pKey = nullptr;
};

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

void AppendValue(QByteArray& out, const QByteArray& name, const RegistryValue& value)
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

} // namespace

RegistryParseResult ParseRegistryText(QByteArrayView text)
{
    return CParser(text).Run();
}

QByteArray FormatRegistryText(const CRegistryData& data)
{
    QByteArray out(kHeader.toByteArray());
    out.append('\n');
    for (const auto& [path, values] : data.GetKeys()) {
        // The root is always there; it is written only when it holds values.
        if (path.isEmpty() && values.empty())
            continue;
        out.append("\n[");
        out.append(kRootName);
        if (!path.isEmpty()) {
            out.append('\\');
            out.append(path);
        }
        out.append("]\n");
        for (const auto& [name, value] : values)
            AppendValue(out, name, value);
    }
    out.append('\n');
    return out;
}
