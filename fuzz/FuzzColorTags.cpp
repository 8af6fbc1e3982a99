// Typed messages and fast-mark texts are translated whatever they hold.
#include "messaging/ColorTags.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView typed(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray sent = TranslateColorTags(typed);
    // A tag of two tokens needs at least five bytes and becomes at most six.
    if (sent.size() > typed.size() + typed.size() / 5 + 1)
        std::abort();
    return 0;
}
