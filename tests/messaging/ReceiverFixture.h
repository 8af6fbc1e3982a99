#pragma once

#include "TestReceiver.h"

#include "alerts/AlertFile.h"
#include "messaging/Mailslot.h"
#include "settings/Catalogue.h"
#include "settings/RegistryKey.h"
#include "support/TestInbox.h"
#include "support/TestStore.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

// A store, log and alert file of their own for every test, a free inbox port, and a clock at
// m_now that the test moves.
class CReceiverFixture : public ::testing::Test
{
protected:
    static inline const qint64 kStart = QDateTime(QDate(2001, 6, 15), QTime(14, 3, 59)).toSecsSinceEpoch();

    void SetUp() override
    {
        m_pReceiver.reset();
        RemoveStoreFile();
        QFile::remove(QStringLiteral("Tellwick.log"));
        QFile::remove(QString::fromLatin1(kAlertFileName));
        UseFreeMailslotPort();
    }

    // A receiver made the way the view makes it, its clock at m_now.
    TestReceiver& MakeReceiver(std::unique_ptr<CMailslotInbox> pInbox = nullptr)
    {
        m_pReceiver = NewReceiver();
        if (pInbox)
            m_pReceiver->m_pInbox = std::move(pInbox);
        m_pReceiver->Create();
        EXPECT_TRUE(m_pReceiver->OpenInbox());
        return *m_pReceiver;
    }

    std::unique_ptr<TestReceiver> NewReceiver()
    {
        return std::make_unique<TestReceiver>([this] { return m_now; });
    }

    static void Receive(const QByteArray& text) { ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, text)); }

    static void SetDword(const DwordValue& value, quint32 dwValue)
    {
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kProgramKey));
        ASSERT_TRUE(key.WriteDword(value.name, dwValue));
    }

    static void SetString(const StringValue& value, QByteArrayView text)
    {
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kProgramKey));
        ASSERT_TRUE(key.WriteString(value.name, text));
    }

    static QByteArray ReadFile(const char* name)
    {
        QFile file(QString::fromLatin1(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    static QByteArray Log() { return ReadFile("Tellwick.log"); }

    qint64 m_now = kStart;
    std::unique_ptr<TestReceiver> m_pReceiver;
};
