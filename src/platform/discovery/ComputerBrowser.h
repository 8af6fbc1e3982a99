#pragma once

#include <QObject>
#include <QString>
#include <memory>

// Watches the local network for computers that announce themselves, and for running copies of
// Tellwick, on the thread's event loop. The same computer may be found more than once (once per
// network it is seen on) and is lost as often.
class CComputerBrowser : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts watching; false when no browsing service answers.
    virtual bool Start() = 0;

signals:
    // hostName is the name to send to, such as "desk-7.local".
    void ComputerFound(const QString& hostName);
    void ComputerLost(const QString& hostName);
    // A running copy of Tellwick: the host it runs on and the port its inbox listens on.
    void CopyFound(const QString& hostName, quint16 nPort);
    void CopyLost(const QString& hostName, quint16 nPort);
    // The browsing service went away; nothing more will be found.
    void BrowsingFailed();
};

// The browser of this platform: multicast DNS through the Avahi daemon.
std::unique_ptr<CComputerBrowser> CreateComputerBrowser();
