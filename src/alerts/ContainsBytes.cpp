#include "alerts/ContainsBytes.h"

#include <string_view>

bool ContainsBytes(QByteArrayView text, QByteArrayView part)
{
    const std::string_view haystack(text.data(), size_t(text.size()));
    return haystack.find(std::string_view(part.data(), size_t(part.size()))) != haystack.npos;
}
