// A stored "ViewFont" string: whatever it holds reads as some description, and that description
// is written and read back unchanged.
#include "messaging/StoredFont.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView stored(reinterpret_cast<const char*>(data), qsizetype(size));
    const FontDescription description = ParseViewFont(stored);
    if (description.lfFaceName.size() > FontDescription::kMaxFaceName)
        std::abort();
    if (!(ParseViewFont(FormatViewFont(description)) == description))
        std::abort();
    return 0;
}
