#include "alerts/AlertFile.h"

#include "platform/Logging.h"
#include "platform/RegularFile.h"
#include "platform/mfc/Archive.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>

namespace {

QString AlertFilePath()
{
    return QDir::current().absoluteFilePath(QString::fromLatin1(kAlertFileName));
}

void WarnNotSaved(const QString& strError)
{
    qCWarning(lcAlerts).noquote().nospace()
        << "alert file not saved: " << AlertFilePath() << ": " << strError;
}

// Copies the alert file there now to the damaged copy, replacing it only once written whole.
// True also when there is no file to keep.
bool KeepDamagedFile(QString& strError)
{
    QFile old;
    const int nError = OpenRegularFileForReading(kAlertFileName, old);
    if (nError == ENOENT)
        return true;
    if (nError != 0) {
        strError = FileErrorText(nError);
        return false;
    }
    QSaveFile copy(QString::fromLatin1(kDamagedAlertFileName));
    if (!copy.open(QIODevice::WriteOnly)) {
        strError = copy.errorString();
        return false;
    }
    constexpr qint64 kPiece = 64 * 1024;
    while (!old.atEnd()) {
        const QByteArray piece = old.read(kPiece);
        if (old.error() != QFileDevice::NoError || copy.write(piece) != piece.size()) {
            strError = old.error() != QFileDevice::NoError ? old.errorString() : copy.errorString();
            copy.cancelWriting();
            return false;
        }
    }
    if (!copy.commit()) {
        strError = copy.errorString();
        return false;
    }
    qCWarning(lcAlerts).noquote().nospace()
        << "the alert file that did not load whole is kept as "
        << QDir::current().absoluteFilePath(QString::fromLatin1(kDamagedAlertFileName));
    return true;
}

} // namespace

bool ReadAlerts(CArchive& ar, CAlertList& alerts)
{
    qint32 nCount = 0;
    ar >> nCount;
    for (qint32 i = 0; i < nCount; ++i) {
        std::unique_ptr<CAlert> pAlert = ar.ReadObject<CAlert>();
        if (pAlert)
            alerts.push_back(std::move(pAlert));
    }
    // Whatever follows, or a count the program never writes, would be lost by the next save.
    return nCount >= 0 && ar.IsAtEnd();
}

void WriteAlerts(CArchive& ar, const CAlertList& alerts)
{
    ar << qint32(alerts.size());
    for (const std::shared_ptr<CAlert>& pAlert : alerts)
        ar.WriteObject(pAlert.get());
}

bool LoadAlerts(CAlertList& alerts)
{
    QFile file;
    // Not a FIFO or a device: opening or reading one could hold the start for ever.
    const int nError = OpenRegularFileForReading(kAlertFileName, file);
    if (nError == ENOENT)
        return false;
    if (nError != 0) {
        qCWarning(lcAlerts).noquote().nospace()
            << "alert file not loaded: " << AlertFilePath() << ": " << FileErrorText(nError);
        return false;
    }
    try {
        CArchive ar(file, CArchive::load);
        if (ReadAlerts(ar, alerts))
            return true;
    } catch (const CArchiveException&) {
    }
    qCWarning(lcAlerts).noquote().nospace()
        << "alert file not loaded whole: " << AlertFilePath() << ": "
        << (file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("damaged"));
    return false;
}

bool SaveAlerts(const CAlertList& alerts, bool bKeepOld)
{
    // A FIFO or a device in its place is left alone.
    if (const int nError = CheckRegularFile(kAlertFileName); nError != 0) {
        WarnNotSaved(FileErrorText(nError));
        return false;
    }
    // Written beside the old file and renamed over it at the end, so a full disk or a failing
    // write never costs the alerts the file held.
    QSaveFile file(QString::fromLatin1(kAlertFileName));
    // Unbuffered: the archive has a buffer of its own, and a write that fails then tells why.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        WarnNotSaved(file.errorString());
        return false;
    }
    try {
        CArchive ar(file, CArchive::store);
        WriteAlerts(ar, alerts);
        ar.Close();
    } catch (const CArchiveException&) {
        WarnNotSaved(file.errorString());
        file.cancelWriting();
        return false;
    }
    QString strError;
    if (bKeepOld && !KeepDamagedFile(strError)) {
        WarnNotSaved(QStringLiteral("the file that did not load whole could not be kept: ") + strError);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        WarnNotSaved(file.errorString());
        return false;
    }
    return true;
}
