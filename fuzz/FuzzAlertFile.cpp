// The alert file as the loader meets it. Whatever part of it loads must save and load again to
// the same bytes.
#include "alerts/AlertFile.h"
#include "platform/mfc/Archive.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Save(const CAlertList& alerts)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(buffer, CArchive::store);
    WriteAlerts(ar, alerts);
    ar.Close();
    return buffer.data();
}

bool Load(const QByteArray& bytes, CAlertList& alerts)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        CArchive ar(buffer, CArchive::load);
        ReadAlerts(ar, alerts);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CAlertList alerts;
    Load(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), alerts);
    for (const std::shared_ptr<CAlert>& pAlert : alerts) {
        if (!pAlert)
            std::abort();
    }
    const QByteArray saved = Save(alerts);
    CAlertList reloaded;
    if (!Load(saved, reloaded) || Save(reloaded) != saved)
        std::abort();
    return 0;
}
