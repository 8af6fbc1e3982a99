#include "support/TestStore.h"

#include "platform/registry/RegistryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

QByteArray StoreFilePath()
{
    return CRegistryFile::User().FilePath();
}

QByteArray ReadStoreFile()
{
    QFile file(QFile::decodeName(StoreFilePath()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteStoreFile(const QByteArray& text)
{
    const QString path = QFile::decodeName(StoreFilePath());
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
    ASSERT_TRUE(file.commit());
}

void RemoveStoreFile()
{
    QFile::remove(QFile::decodeName(StoreFilePath()));
}

namespace {

constexpr quint32 kOverrides = 1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH;

bool ChangeOverrides(bool bRaise, bool& bHad)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    bHad = (data[0].effective & kOverrides) != 0;
    if (bRaise)
        data[0].effective |= data[0].permitted & kOverrides;
    else
        data[0].effective &= ~kOverrides;
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

CObeyFilePermissions::CObeyFilePermissions()
{
    ChangeOverrides(false, m_bDropped);
}

CObeyFilePermissions::~CObeyFilePermissions()
{
    bool bHad = false;
    if (m_bDropped)
        ChangeOverrides(true, bHad);
}
