#include "alerts/AlertFile.h"

#include "platform/Archive.h"

#include <QFile>
#include <QSaveFile>

void ReadAlerts(CArchive& ar, CAlertList& alerts)
{
    qint32 nCount = 0;
    ar >> nCount;
    for (qint32 i = 0; i < nCount; ++i) {
        std::unique_ptr<CAlert> pAlert = ar.ReadObject<CAlert>();
        if (pAlert)
            alerts.push_back(std::move(pAlert));
    }
}

void WriteAlerts(CArchive& ar, const CAlertList& alerts)
{
    ar << qint32(alerts.size());
    for (const std::shared_ptr<CAlert>& pAlert : alerts)
        ar.WriteObject(pAlert.get());
}

bool LoadAlerts(CAlertList& alerts)
{
    QFile file(QString::fromLatin1(kAlertFileName));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    try {
        CArchive ar(file, CArchive::load);
        ReadAlerts(ar, alerts);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

bool SaveAlerts(const CAlertList& alerts)
{
    // Written beside the old file and renamed over it at the end, so a full disk or a failing
    // write never costs the alerts the file held.
    QSaveFile file(QString::fromLatin1(kAlertFileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    try {
        CArchive ar(file, CArchive::store);
        WriteAlerts(ar, alerts);
        ar.Close();
    } catch (const CArchiveException&) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
