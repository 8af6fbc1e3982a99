#pragma once

#include <QByteArrayView>

// Whether the bytes of part occur anywhere in text, exactly; an empty part occurs in every
// text. The standard library's search: on short parts it comes near the C library's own, and
// is over twice as fast as Qt's.
bool ContainsBytes(QByteArrayView text, QByteArrayView part);
