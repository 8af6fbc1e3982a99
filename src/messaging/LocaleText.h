#pragma once

#include <QByteArrayView>

// The length of the longest start of the text, at most nMaxBytes long, that ends between two
// characters of the locale's code page: a multi-byte character is never split. A byte that
// starts no valid character counts as a character of its own.
qsizetype WholeCharactersPrefix(QByteArrayView text, qsizetype nMaxBytes);
