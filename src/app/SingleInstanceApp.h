#pragma once

#include "platform/app/InstanceChannel.h"
#include "platform/app/InstanceLock.h"
#include "platform/mfc/CmdTarget.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// The program's load address on the platform where instance names were first made; the name
// keeps it so that it stays the same everywhere.
inline constexpr quintptr kInstanceHandle = 0x400000;

// "app:instance:8:cursor:0" when the program's icon or cursor loaded, else "app:instance:8",
// the numbers in lower-case hexadecimal.
QString BuildInstanceName(const QString& strAppName, quintptr hInstance, quintptr hCursor,
                          bool bIconOrCursorLoaded);

// An application object of which only one copy runs per user. The first copy holds a lock named
// after the instance name and listens on a channel of the same name; a later copy asks it to
// show its main window and ends.
class CSingleInstanceApp : public QObject, public CCmdTarget
{
    Q_OBJECT

public:
    CSingleInstanceApp();
    ~CSingleInstanceApp() override;

    // True when this copy may go on; false when another copy runs (it has been asked to show
    // itself). Without a private folder for the lock the copy goes on unprotected.
    bool InitSingleInstance(int nIconID);
    QString InstanceClassName() const { return m_strClassName; }
    // Whether the last InitSingleInstance found another copy running.
    bool FoundOtherInstance() const { return m_bFoundOther; }
    QWidget* GetMainWnd() const { return m_pMainWnd; }

protected:
    QPointer<QWidget> m_pMainWnd;

private:
    void ActivateMainWnd(const QByteArray& activationToken);

    CInstanceLock m_lock;
    CInstanceChannel m_channel;
    QString m_strClassName;
    bool m_bFoundOther = false;
};
