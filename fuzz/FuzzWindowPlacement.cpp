// "WindowPos" is read from the per-user store, which anyone can edit by hand.
#include "app/WindowPlacement.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto placement = ParseWindowPlacement(text);
    // Whatever was accepted must come back unchanged from its own stored form.
    if (placement && ParseWindowPlacement(FormatWindowPlacement(*placement)) != placement)
        std::abort();
    return 0;
}
