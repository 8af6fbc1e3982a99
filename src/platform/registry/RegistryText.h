#pragma once

#include "platform/registry/RegistryData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The store file's text, in the registry's REGEDIT4 export format:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Orvosoft\Tellwick]
//   "MaxLines"=dword:00000096
//   "LogFileName"="Tellwick.log"
//   "Odd"=hex(7):61,00,00
//
// `dword:` is a 4-byte REG_DWORD, a quoted text a REG_SZ with its terminating zero, `hex:` a
// REG_BINARY and `hex(N):` any value of type N; `@` names the unnamed value and `"Name"=-`
// removes a value named before. It is read as the registry editor imports it: one to eight
// `dword:` digits, a `; comment` after a key, a value or hex data, and `\x` for any other
// character x in a quoted text (`\n` and `\r` being line breaks).

// A key line, a value (with its continuation lines) or a value's removal, as it stands in the
// text it was read from.
struct RegistryTextEntry
{
    enum class Kind
    {
        Key,
        Value,
        Removal,
    };

    Kind kind = Kind::Key;
    qsizetype nStart = 0; // its first byte
    qsizetype nEnd = 0;   // past its last line's end
    QByteArray path;      // the key it belongs to
    QByteArray name;      // a value's name
    QByteArray comment;   // a value's "; comment" after its data, with the blanks before it
    // Comment and blank lines met among a value's continuation lines: they stay when the value
    // is written anew.
    QByteArray notes;
    bool bOpenEnd = false;         // continued past the end of the text
    bool bEndsBrokenValue = false; // its line cut short the continuation of a value before it
};

struct RegistryParseResult
{
    CRegistryData data;
    int nSkippedLines = 0; // lines that did not parse (values under a key that did not included)
    QByteArray text;       // the text as read
    QList<RegistryTextEntry> entries; // in the text's order; everything else is kept as it is
};

// Reads every key and value that parses. A line that does not parse costs nothing else; it is
// kept, as are comments and blank lines, when the text is written back.
RegistryParseResult ParseRegistryText(QByteArrayView text);

// Writes every key, sub-keys after their parents, values by name, long hex data wrapped the
// way an export wraps it.
QByteArray FormatRegistryText(const CRegistryData& data);

// Writes the data into the text it was read from: a value changed is written where it stood,
// one added in its key at its place by name, a new key at its place among the keys; every
// other line stays as it is. A text the program formatted comes out as FormatRegistryText
// would write it.
QByteArray UpdateRegistryText(const RegistryParseResult& original, const CRegistryData& data);
