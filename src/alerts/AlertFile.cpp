#include "alerts/AlertFile.h"

#include "platform/app/Logging.h"
#include "platform/files/RegularFile.h"
#include "platform/files/ReplacementFile.h"
#include "platform/mfc/Archive.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace {

// The current folder as last seen: once it is deleted under the running program its name can no
// longer be asked for, and the one it had is what the messages name.
QString AlertFolderPath(const char* name)
{
    static QString s_strFolder;
    if (QString strNow = QDir::currentPath(); !strNow.isEmpty())
        s_strFolder = std::move(strNow);
    return s_strFolder + u'/' + QString::fromLatin1(name);
}

QString AlertFilePath()
{
    return AlertFolderPath(kAlertFileName);
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
    // Readable by no one the file itself was not readable by.
    CReplacementFile copy;
    if (const int nCopyError = copy.Open(kDamagedAlertFileName, &old); nCopyError != 0) {
        strError = FileErrorText(nCopyError);
        return false;
    }
    constexpr qint64 kPiece = qint64{64} * 1024;
    while (!old.atEnd()) {
        const QByteArray piece = old.read(kPiece);
        if (old.error() != QFileDevice::NoError || copy.File().write(piece) != piece.size()) {
            strError = old.error() != QFileDevice::NoError ? old.errorString()
                                                           : copy.File().errorString();
            return false;
        }
    }
    if (const int nCopyError = copy.Commit(); nCopyError != 0) {
        strError = FileErrorText(nCopyError);
        return false;
    }
    qCWarning(lcAlerts).noquote().nospace()
        << "the alert file that did not load whole is kept as "
        << AlertFolderPath(kDamagedAlertFileName);
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
    // Named now, while the folder is there to be named.
    const QString strPath = AlertFilePath();
    QFile file;
    // Not a FIFO or a device: opening or reading one could hold the start for ever.
    const int nError = OpenRegularFileForReading(kAlertFileName, file);
    if (nError == ENOENT)
        return false;
    if (nError != 0) {
        qCWarning(lcAlerts).noquote().nospace()
            << "alert file not loaded: " << strPath << ": " << FileErrorText(nError);
        return false;
    }
    try {
        CArchive ar(file, CArchive::load);
        if (ReadAlerts(ar, alerts))
            return true;
    } catch (const CArchiveException&) {
    }
    qCWarning(lcAlerts).noquote().nospace()
        << "alert file not loaded whole: " << strPath << ": "
        << (file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("damaged"));
    return false;
}

bool SaveAlerts(const CAlertList& alerts, bool bKeepOld)
{
    // Named now, while the folder is there to be named.
    AlertFilePath();
    // Written beside the old file and renamed over it at the end, so a full disk or a failing
    // write never costs the alerts the file held. A FIFO or a device in its place is left alone.
    CReplacementFile file;
    if (const int nError = file.Open(kAlertFileName); nError != 0) {
        WarnNotSaved(FileErrorText(nError));
        return false;
    }
    try {
        // The file has no buffer: the archive has one of its own, and a write that fails then
        // tells why.
        CArchive ar(file.File(), CArchive::store);
        WriteAlerts(ar, alerts);
        ar.Close();
    } catch (const CArchiveException&) {
        WarnNotSaved(file.File().errorString());
        return false;
    }
    QString strError;
    if (bKeepOld && !KeepDamagedFile(strError)) {
        WarnNotSaved(QStringLiteral("the file that did not load whole could not be kept: ") + strError);
        return false;
    }
    if (const int nError = file.Commit(); nError != 0) {
        WarnNotSaved(FileErrorText(nError));
        return false;
    }
    return true;
}
