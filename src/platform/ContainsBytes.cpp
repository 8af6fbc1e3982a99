#include "platform/ContainsBytes.h"

#include <string.h>

bool ContainsBytes(QByteArrayView text, QByteArrayView part)
{
    if (part.isEmpty())
        return true;
    return memmem(text.data(), size_t(text.size()), part.data(), size_t(part.size())) != nullptr;
}
