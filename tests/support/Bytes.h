#pragma once

#include <QByteArray>

#include <cstddef>
#include <string>

// The bytes of a literal, zero bytes written into it included (the literal's own end excluded).
template <std::size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

// Bytes as hex pairs, so a failing comparison shows where the bytes differ.
inline std::string Hex(const QByteArray& bytes)
{
    return bytes.toHex(' ').toStdString();
}
