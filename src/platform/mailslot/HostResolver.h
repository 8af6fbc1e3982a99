#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

// Looks computer names up. Lookup never makes the caller wait: the system's resolver runs on a
// thread of its own and the answer comes back through the event loop. Tests install their own.
class CHostResolver
{
public:
    // The name's IPv4 addresses, or none and the resolver's reason.
    using Callback =
        std::function<void(const std::vector<quint32>& addresses, const QString& strError)>;

    CHostResolver() = default;
    CHostResolver(const CHostResolver&) = delete;
    CHostResolver& operator=(const CHostResolver&) = delete;
    virtual ~CHostResolver() = default;

    // The answer arrives on the calling (user-interface) thread; an answer that comes after the
    // application object has gone is dropped.
    virtual void Lookup(const QByteArray& computer, Callback done);

    // The same, waiting for the answer (for a command-line tool, which may wait).
    static std::vector<quint32> LookupNow(const QByteArray& computer, QString& strError);

    // The resolver that sends use: the installed one, else the system's.
    static CHostResolver& Current();
    // Puts a resolver (not owned) in the system's place; nullptr brings the system's back.
    static void Install(CHostResolver* pResolver);
};
