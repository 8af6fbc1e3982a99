// A store file as a person, a damaged disk or another program may leave it: whatever parses
// must write back to a text that reads as the very same keys and values, with nothing skipped.
#include "platform/RegistryText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const RegistryParseResult parsed =
        ParseRegistryText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QByteArray text = FormatRegistryText(parsed.data);
    const RegistryParseResult again = ParseRegistryText(text);
    if (again.nSkippedLines != 0 || !(again.data == parsed.data) ||
        FormatRegistryText(again.data) != text)
        std::abort();
    return 0;
}
