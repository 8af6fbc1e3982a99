// An executable file as the About box reads it: the version section found in an ELF image, and
// the version text of a record, whether it came out of a section or is the raw input.
#include "about/FileVersion.h"
#include "platform/app/VersionResource.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView image(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray section = FindElfSection(image, kVersionSection);
    if (section.size() > image.size())
        std::abort();
    for (const QByteArrayView record : {QByteArrayView(section), image}) {
        const QByteArray text = VersionTextFromRecord(record);
        if (text.size() > record.size() * 3 + 8 || text.contains('\0'))
            std::abort();
    }
    return 0;
}
