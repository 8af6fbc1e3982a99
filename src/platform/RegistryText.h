#pragma once

#include "platform/RegistryData.h"

#include <QByteArray>
#include <QByteArrayView>

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
// REG_BINARY and `hex(N):` any value of type N; `@` names the unnamed value.

struct RegistryParseResult
{
    CRegistryData data;
    int nSkippedLines = 0; // lines that did not parse (values under a skipped key included)
};

// Reads every key and value that parses; a damaged line is skipped and costs nothing else.
RegistryParseResult ParseRegistryText(QByteArrayView text);

// Writes every key, sub-keys after their parents, values by name, long hex data wrapped the
// way an export wraps it.
QByteArray FormatRegistryText(const CRegistryData& data);
