#include "platform/ContainsBytes.h"

#include <string.h> // NOLINT(modernize-deprecated-headers): memmem is declared here alone

bool ContainsBytes(QByteArrayView text, QByteArrayView part)
{
    if (part.isEmpty())
        return true;
    // An empty text may have no bytes at all, and memmem must not be given none.
    if (part.size() > text.size())
        return false;
    return memmem(text.data(), size_t(text.size()), part.data(), size_t(part.size())) != nullptr;
}
