#pragma once

#include <QByteArrayView>

// Whether the bytes of part occur anywhere in text, exactly; an empty part occurs in every
// text. The C library's search, which beats the generic ones severalfold on short parts.
bool ContainsBytes(QByteArrayView text, QByteArrayView part);
