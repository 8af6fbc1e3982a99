#include "platform/desktop/StatusNotifierTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QString>

bool IsStatusNotifierTray()
{
    // The same question Qt asks before it chooses its tray: read through introspection, so a
    // watcher that does not declare the property counts as none, as it does for Qt.
    const QString strService = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(strService))
        return false;
    QDBusInterface watcher(strService, QStringLiteral("/StatusNotifierWatcher"), strService, bus);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}
