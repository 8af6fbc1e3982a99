#pragma once

#include <QByteArrayView>

#include <optional>

// The decimal number at pos as the C library's strtol reads it: blanks, an optional sign and
// digits, up to the first other byte; a value past 64 bits stops at the nearest limit. Nothing
// when no digit follows the blanks and sign; otherwise pos moves past the digits. Stored
// numbers ("WindowPos", "ViewFont") were written and are read back this way.
std::optional<qint64> ScanStoredNumber(QByteArrayView text, qsizetype& pos);
