#pragma once

#include "messaging/MessageReceiver.h"
#include "platform/mailslot/MailslotInbox.h"
#include "support/TestInbox.h"

#include <QList>
#include <QTest>

#include <gtest/gtest.h>

// Opens the pipeline's insides to the tests, notes what it tells the window and counts ping
// answers instead of broadcasting them. Its slices end when the test says: the slice clock
// moves on by m_nSliceStep at every look.
class TestReceiver : public CMessageReceiver
{
public:
    explicit TestReceiver(Clock clock) : CMessageReceiver(std::move(clock))
    {
        SetSliceClock([this] { return m_nSliceNow += m_nSliceStep; });
        connect(this, &CMessageReceiver::LineAdded, this, [this](const QByteArray& line) { m_lines.append(line); });
        connect(this, &CMessageReceiver::BringForward, this, [this] { m_requests.append("forward"); });
        connect(this, &CMessageReceiver::Flash, this, [this](const QByteArray& text, bool bStart) {
            if (bStart)
                m_requests.append("flash");
            m_flashText = text;
        });
    }

    using CMessageReceiver::m_alerts;
    using CMessageReceiver::m_pInbox;
    using CMessageReceiver::m_pollTimer;
    using CMessageReceiver::m_sliceTimer;

    // Lets the event loop run until the tick's last slice is read.
    void FinishTick()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !m_sliceTimer.isActive(); }, 30000));
    }

    bool OpenInbox() { return CreateOnFreePort(*m_pInbox); }

    QList<QByteArray> m_lines;
    // "forward" and "flash" (a new flash request), in the order asked.
    QList<QByteArray> m_requests;
    // The text of the newest message that asked for the flash.
    QByteArray m_flashText;
    int m_nPings = 0;
    qint64 m_nSliceNow = 0;
    qint64 m_nSliceStep = 0; // 0: a tick reads all it counted in one slice

protected:
    void AnswerPing() override { ++m_nPings; }
};
