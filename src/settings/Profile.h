#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The profile functions: values in sections, each section a sub-key of the program's key.
// A read gives the caller's default when the value is missing or of another type; a write
// creates the section when it is missing and reports whether the value was stored.

int GetProfileInt(QByteArrayView section, QByteArrayView entry, int nDefault);
bool WriteProfileInt(QByteArrayView section, QByteArrayView entry, int nValue);

QByteArray GetProfileString(QByteArrayView section, QByteArrayView entry,
                            QByteArrayView defaultText = {});
bool WriteProfileString(QByteArrayView section, QByteArrayView entry, QByteArrayView text);

// Bytes of any length, stored as REG_BINARY; false (data untouched) when there are none.
bool GetProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArray& data);
bool WriteProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArrayView data);
