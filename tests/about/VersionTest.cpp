#include "about/FileVersion.h"
#include "about/ProgramVersion.h"
#include "about/VersionRecord.h"
#include "platform/app/VersionResource.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <elf.h>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

std::string Bytes(const auto& array)
{
    return std::string(array.data(), array.size());
}

std::string Fixed(quint16 a, quint16 b, quint16 c, quint16 d,
                  quint32 nSignature = kFixedInfoSignature)
{
    return Bytes(MakeFixedFileInfo(a, b, c, d, nSignature));
}

QByteArray Record(const Entries& entries)
{
    CVersionRecordWriter writer;
    for (const auto& [key, value] : entries)
        EXPECT_TRUE(writer.Add(key, value));
    return QByteArray(writer.Record().data(), qsizetype(writer.Record().size()));
}

// An ELF file without code: a null section, the section names and, when given, the record.
QByteArray ElfImage(const std::optional<QByteArray>& record)
{
    const QByteArray names = QByteArray(1, '\0') + ".shstrtab" + '\0' + kVersionSection + '\0';
    const QByteArray contents = record.value_or(QByteArray());
    const quint16 nSections = record ? 3 : 2;
    Elf64_Ehdr header = {};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_EXEC;
    header.e_version = EV_CURRENT;
    header.e_ehsize = sizeof header;
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = nSections;
    header.e_shstrndx = 1;
    header.e_shoff = sizeof header + quint64(names.size() + contents.size());

    Elf64_Shdr sections[3] = {};
    sections[1].sh_name = 1;
    sections[1].sh_type = SHT_STRTAB;
    sections[1].sh_offset = sizeof header;
    sections[1].sh_size = quint64(names.size());
    sections[2].sh_name = 11;
    sections[2].sh_type = SHT_PROGBITS;
    sections[2].sh_offset = sizeof header + quint64(names.size());
    sections[2].sh_size = quint64(contents.size());
    QByteArray image(reinterpret_cast<const char*>(&header), sizeof header);
    image += names + contents;
    image.append(reinterpret_cast<const char*>(sections),
                 qsizetype(nSections) * qsizetype(sizeof(Elf64_Shdr)));
    return image;
}

QByteArray ElfWithVersion(quint16 a, quint16 b, quint16 c, quint16 d)
{
    return ElfImage(Record({{kRootBlock, Fixed(a, b, c, d)}}));
}

class VersionTest : public ::testing::Test
{
protected:
    QString Write(const QByteArray& bytes)
    {
        QString path = m_dir.filePath(QString::number(++m_nFiles));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
    int m_nFiles = 0;
};

TEST_F(VersionTest, FileVersionsAreFormattedAndShortened)
{
    const std::string translation = Bytes(MakeTranslation(0x0407, 0x04E4));
    const struct
    {
        const char* name;
        QByteArray file;
        const char* version;
        const char* shown;
    } cases[] = {
        {"1.0.2.0", ElfWithVersion(1, 0, 2, 0), "1.020", "1.02"},
        {"1.2.3.4", ElfWithVersion(1, 2, 3, 4), "1.234", "1.234"},
        {"1.0.2.5", ElfWithVersion(1, 0, 2, 5), "1.025", "1.025"},
        {"1.0.20.0", ElfWithVersion(1, 0, 20, 0), "1.0200", "1.02"},
        {"2.1.0.0", ElfWithVersion(2, 1, 0, 0), "2.100", "2.10"},
        {"10.1.0.0", ElfWithVersion(10, 1, 0, 0), "10.100", "10.1"},
        {"1.0.0.0", ElfWithVersion(1, 0, 0, 0), "1.000", "1.00"},
        {"largest parts", ElfWithVersion(65535, 65535, 65535, 65535), "65535.655356553565535",
         "65535.655356553565535"},
        // Without the fixed part, the string under the record's language and code page.
        {"string, default translation",
         ElfImage(
             Record({{"\\StringFileInfo\\040904b0\\FileVersion", std::string("3.1405\0", 7)}})),
         "3.1405", "3.14"},
        {"string, own translation",
         ElfImage(Record({{"\\VarFileInfo\\Translation", translation},
                          {"\\StringFileInfo\\040904b0\\FileVersion", "9.9"},
                          {"\\StringFileInfo\\040704e4\\FileVersion", "5.5.1"}})),
         "5.5.1", "5.5.1"},
        {"wrong signature",
         ElfImage(Record({{kRootBlock, Fixed(1, 2, 3, 4, 0xFEEF04BC)},
                          {"\\StringFileInfo\\040904b0\\FileVersion", "7.7"}})),
         "7.7", "7.7"},
        {"no record", ElfImage(std::nullopt), "", ""},
        {"entry cut short", ElfImage(Record({{kRootBlock, Fixed(1, 0, 2, 0)}}).first(30)), "", ""},
        {"section table cut short", ElfWithVersion(1, 0, 2, 0).chopped(1), "", ""},
        {"not an executable", QByteArrayLiteral("#!/bin/sh\necho 1.0.2.0\n"), "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString version = GetFileVersion(Write(c.file));
        EXPECT_EQ(version, QLatin1String(c.version));
        EXPECT_EQ(ShortenVersion(version), QLatin1String(c.shown));
    }
    EXPECT_EQ(GetFileVersion(m_dir.filePath(QStringLiteral("missing"))), QString());
}

TEST_F(VersionTest, TheBufferTakesWhatFitsAndABadOneIsLeftAlone)
{
    const QString path = Write(ElfWithVersion(1, 2, 3, 4));
    const struct
    {
        int nLength;
        const char* expected;
    } cases[] = {{6, "1.234"}, {5, "1.23"}, {2, "1"}, {1, ""}, {0, "untouched"}, {-1, "untouched"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nLength);
        char buffer[16] = "untouched";
        EXPECT_EQ(GetFileVersionString(buffer, path, c.nLength), buffer);
        EXPECT_STREQ(buffer, c.expected);
    }
    EXPECT_EQ(GetFileVersionString(nullptr, path, 16), nullptr);
}

// The build writes the project's version into the program, and the linker keeps it there.
TEST_F(VersionTest, TheProgramCarriesTheProjectVersion)
{
    EXPECT_STREQ(ProgramVersionText(), TELLWICK_VERSION);
    const QString expected = QStringLiteral("%1.%2%3%4")
                                 .arg(TELLWICK_VERSION_MAJOR)
                                 .arg(TELLWICK_VERSION_MINOR)
                                 .arg(TELLWICK_VERSION_PATCH)
                                 .arg(0);
    EXPECT_EQ(GetFileVersion(QCoreApplication::applicationFilePath()), expected);
    EXPECT_EQ(GetProgramVersion(), ShortenVersion(expected));
}

} // namespace
