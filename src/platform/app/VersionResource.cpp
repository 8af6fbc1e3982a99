#include "platform/app/VersionResource.h"

#include "platform/app/Logging.h"

#include <QFile>
#include <QSysInfo>
#include <cstring>
#include <elf.h>
#include <optional>

namespace {

// Whether size bytes from offset lie within an image of nImageSize bytes.
bool InImage(quint64 nOffset, quint64 nSize, qsizetype nImageSize)
{
    const auto nImage = quint64(nImageSize);
    return nOffset <= nImage && nSize <= nImage - nOffset;
}

template <typename T> std::optional<T> ReadAt(QByteArrayView image, quint64 nOffset)
{
    if (!InImage(nOffset, sizeof(T), image.size()))
        return std::nullopt;
    T value;
    std::memcpy(&value, image.data() + nOffset, sizeof(T));
    return value;
}

template <typename Ehdr, typename Shdr>
QByteArray FindSection(QByteArrayView image, QByteArrayView name)
{
    const std::optional<Ehdr> header = ReadAt<Ehdr>(image, 0);
    if (!header || header->e_shentsize < sizeof(Shdr) || header->e_shstrndx >= header->e_shnum)
        return {};
    const auto sectionHeader = [&](quint64 nIndex) {
        // The table's size is below 2^32 and checked against the image before it is added to.
        const quint64 nTableSize = quint64(header->e_shnum) * header->e_shentsize;
        return InImage(header->e_shoff, nTableSize, image.size())
                   ? ReadAt<Shdr>(image, header->e_shoff + nIndex * header->e_shentsize)
                   : std::nullopt;
    };
    const auto contents = [&](const Shdr& section) -> std::optional<QByteArrayView> {
        if (section.sh_type == SHT_NOBITS ||
            !InImage(section.sh_offset, section.sh_size, image.size()))
            return std::nullopt;
        return image.sliced(qsizetype(section.sh_offset), qsizetype(section.sh_size));
    };

    const std::optional<Shdr> namesHeader = sectionHeader(header->e_shstrndx);
    const std::optional<QByteArrayView> names = namesHeader ? contents(*namesHeader) : std::nullopt;
    if (!names)
        return {};
    for (quint64 i = 0; i < header->e_shnum; ++i) {
        const std::optional<Shdr> section = sectionHeader(i);
        if (!section || section->sh_name >= quint64(names->size()))
            continue;
        const QByteArrayView tail = names->sliced(qsizetype(section->sh_name));
        const qsizetype nEnd = tail.indexOf('\0');
        if (nEnd < 0 || tail.first(nEnd) != name)
            continue;
        const std::optional<QByteArrayView> bytes = contents(*section);
        return bytes ? bytes->toByteArray() : QByteArray();
    }
    return {};
}

} // namespace

QByteArray FindElfSection(QByteArrayView image, QByteArrayView name)
{
    if (image.size() < EI_NIDENT || std::memcmp(image.data(), ELFMAG, SELFMAG) != 0)
        return {};
    // Sections of the other byte order would need every field swapped: not ours to read.
    const char nHostOrder =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? ELFDATA2LSB : ELFDATA2MSB;
    if (image[EI_DATA] != nHostOrder)
        return {};
    switch (image[EI_CLASS]) {
    case ELFCLASS64:
        return FindSection<Elf64_Ehdr, Elf64_Shdr>(image, name);
    case ELFCLASS32:
        return FindSection<Elf32_Ehdr, Elf32_Shdr>(image, name);
    default:
        return {};
    }
}

QByteArray ReadVersionResource(const QString& strFileName)
{
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcAbout) << "Cannot read the version of" << strFileName << ':'
                           << file.errorString();
        return {};
    }
    const qint64 nSize = file.size();
    const uchar* pImage = nSize > 0 ? file.map(0, nSize) : nullptr;
    QByteArray record =
        pImage ? FindElfSection(QByteArrayView(pImage, qsizetype(nSize)), kVersionSection)
               : QByteArray();
    if (record.isEmpty())
        qCWarning(lcAbout) << strFileName << "carries no version record";
    return record;
}
