#include "about/FileVersion.h"

#include "about/VersionRecord.h"
#include "platform/app/VersionResource.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr quint16 kDefaultLanguage = 0x0409;
constexpr quint16 kDefaultCodePage = 0x04B0;
constexpr int kMaxPath = 260;
constexpr qsizetype kShortLength = 4;

quint32 ReadDword(QByteArrayView bytes, qsizetype nAt)
{
    quint32 nValue = 0;
    for (qsizetype i = 3; i >= 0; --i)
        nValue = nValue << 8 | quint8(bytes[nAt + i]);
    return nValue;
}

quint16 ReadWord(QByteArrayView bytes, qsizetype nAt)
{
    return quint16(quint8(bytes[nAt]) | quint8(bytes[nAt + 1]) << 8);
}

} // namespace

QByteArray VersionTextFromRecord(QByteArrayView record)
{
    QByteArrayView value;
    if (VerQueryValue(record, kRootBlock, &value) && value.size() >= qsizetype(kFixedInfoSize) &&
        ReadDword(value, 0) == kFixedInfoSignature) {
        const quint32 nMS = ReadDword(value, 8);
        const quint32 nLS = ReadDword(value, 12);
        return QByteArray::number(nMS >> 16) + '.' + QByteArray::number(nMS & 0xFFFF) +
               QByteArray::number(nLS >> 16) + QByteArray::number(nLS & 0xFFFF);
    }

    quint16 nLanguage = kDefaultLanguage;
    quint16 nCodePage = kDefaultCodePage;
    if (VerQueryValue(record, kTranslationBlock, &value) && value.size() >= 4) {
        nLanguage = ReadWord(value, 0);
        nCodePage = ReadWord(value, 2);
    }
    const QByteArray key =
        QByteArrayLiteral("\\StringFileInfo\\") +
        QByteArray::number(quint32(nLanguage) << 16 | nCodePage, 16).rightJustified(8, '0') +
        QByteArrayLiteral("\\FileVersion");
    if (!VerQueryValue(record, key, &value))
        return {};
    // The string's own terminator, and anything after it, is not part of the text.
    const qsizetype nEnd = value.indexOf('\0');
    return (nEnd < 0 ? value : value.first(nEnd)).toByteArray();
}

char* GetFileVersionString(char* pszBuffer, const QString& strFileName, int nLength)
{
    if (!pszBuffer || nLength < 1)
        return pszBuffer;
    pszBuffer[0] = '\0';
    const QByteArray record = ReadVersionResource(strFileName);
    if (record.isEmpty())
        return pszBuffer;
    const QByteArray text = VersionTextFromRecord(record);
    const qsizetype nCopy = std::min<qsizetype>(text.size(), nLength - 1);
    std::memcpy(pszBuffer, text.constData(), size_t(nCopy));
    pszBuffer[nCopy] = '\0';
    return pszBuffer;
}

QString GetFileVersion(const QString& strFileName)
{
    std::array<char, kMaxPath> buffer{};
    return QString::fromLocal8Bit(GetFileVersionString(buffer.data(), strFileName, kMaxPath));
}

QString ShortenVersion(const QString& strVersion)
{
    if (strVersion.size() > kShortLength && strVersion[kShortLength] == QLatin1Char('0'))
        return strVersion.left(kShortLength);
    return strVersion;
}

QString GetProgramVersion()
{
    // The running executable itself, wherever it was started from.
    return ShortenVersion(GetFileVersion(QCoreApplication::applicationFilePath()));
}
