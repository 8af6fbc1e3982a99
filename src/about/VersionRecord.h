#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <array>
#include <cstddef>
#include <string_view>

// The version record that the build compiles into the executable, in place of a version
// resource: a list of entries, each a 16-bit little-endian key length, the key, a 16-bit value
// length and the value. A key length of 0 ends the list; the rest of the record is padding.
// Keys are the paths a version resource is asked with: "\" for the fixed part,
// "\VarFileInfo\Translation" and "\StringFileInfo\<language><code page>\FileVersion".
inline constexpr std::size_t kVersionRecordSize = 256;
using VersionRecord = std::array<char, kVersionRecordSize>;

// The fixed part, VS_FIXEDFILEINFO: thirteen 32-bit little-endian numbers.
inline constexpr quint32 kFixedInfoSignature = 0xFEEF04BD;
inline constexpr std::size_t kFixedInfoSize = std::size_t{13} * 4;
using FixedFileInfo = std::array<char, kFixedInfoSize>;

inline constexpr char kRootBlock[] = "\\";
inline constexpr char kTranslationBlock[] = "\\VarFileInfo\\Translation";

// The fixed part for file version a.b.c.d; a program file with no flags, for no particular system.
constexpr FixedFileInfo MakeFixedFileInfo(quint16 a, quint16 b, quint16 c, quint16 d,
                                          quint32 nSignature = kFixedInfoSignature)
{
    constexpr quint32 kStrucVersion = 0x00010000;
    constexpr quint32 kFlagsMask = 0x3F;
    constexpr quint32 kFileTypeApp = 1;
    const quint32 nMS = quint32(a) << 16 | b;
    const quint32 nLS = quint32(c) << 16 | d;
    const quint32 fields[13] = {nSignature, kStrucVersion, nMS, nLS, nMS, nLS, kFlagsMask, 0,
                                0,          kFileTypeApp,  0,   0,   0};
    FixedFileInfo info{};
    for (std::size_t i = 0; i < 13; ++i)
        for (std::size_t nByte = 0; nByte < 4; ++nByte)
            info[i * 4 + nByte] = char((fields[i] >> (8 * nByte)) & 0xFF);
    return info;
}

// A language and code page pair as "\VarFileInfo\Translation" holds it.
constexpr std::array<char, 4> MakeTranslation(quint16 nLanguage, quint16 nCodePage)
{
    return {char(nLanguage & 0xFF), char(nLanguage >> 8), char(nCodePage & 0xFF),
            char(nCodePage >> 8)};
}

// Builds a record entry by entry, at compile time for the program and at run time for tests.
class CVersionRecordWriter
{
public:
    // False, and the record left as it was, when the entry does not fit.
    constexpr bool Add(std::string_view key, std::string_view value)
    {
        const std::size_t nNeeded = 2 + key.size() + 2 + value.size();
        // A zero key length must still fit after the last entry.
        if (key.empty() || key.size() > 0xFFFF || value.size() > 0xFFFF ||
            nNeeded + 2 > kVersionRecordSize - m_nUsed) {
            m_bOverflow = true;
            return false;
        }
        PutLength(key.size());
        Put(key);
        PutLength(value.size());
        Put(value);
        return true;
    }
    constexpr bool Overflowed() const { return m_bOverflow; }
    constexpr const VersionRecord& Record() const { return m_record; }

private:
    constexpr void PutLength(std::size_t nLength)
    {
        m_record[m_nUsed++] = char(nLength & 0xFF);
        m_record[m_nUsed++] = char(nLength >> 8);
    }
    constexpr void Put(std::string_view bytes)
    {
        for (char ch : bytes)
            m_record[m_nUsed++] = ch;
    }

    VersionRecord m_record{};
    std::size_t m_nUsed = 0;
    bool m_bOverflow = false;
};

// The value stored under subBlock, found as a version resource is asked (VerQueryValue): true
// and *pValue set when the record has it. A record whose entries run past its end has none.
bool VerQueryValue(QByteArrayView record, QByteArrayView subBlock, QByteArrayView* pValue);
