#!/usr/bin/python3
# A desktop notification service that records what it is asked to show, one tab-separated line
# per call on standard output: "Notify id replaces_id app_name summary body actions" and
# "Close id". Click(id) on org.tellwick.Test clicks a notification as a user would: it sends
# ActivationToken(id, token), ActionInvoked(id, "default") and then NotificationClosed(id, 2), as
# real services do.
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
TEST = "org.tellwick.Test"


def record(*fields):
    print("\t".join(str(f) for f in fields), flush=True)


class Service(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.last_id = 0

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["actions", "body", "body-markup"]

    @dbus.service.method(NAME, out_signature="ssss")
    def GetServerInformation(self):
        return ("fake", "tellwick tests", "1", "1.2")

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        if replaces == 0:
            self.last_id += 1
            replaces_or_new = self.last_id
        else:
            replaces_or_new = replaces
        record("Notify", replaces_or_new, replaces, app, summary, body, ",".join(actions))
        return replaces_or_new

    @dbus.service.method(NAME, in_signature="u")
    def CloseNotification(self, nid):
        record("Close", nid)
        self.NotificationClosed(nid, 3)

    @dbus.service.signal(NAME, signature="us")
    def ActivationToken(self, nid, token):
        pass

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, nid, action):
        pass

    @dbus.service.signal(NAME, signature="uu")
    def NotificationClosed(self, nid, reason):
        pass

    @dbus.service.method(TEST, in_signature="u")
    def Click(self, nid):
        self.ActivationToken(nid, "e2e-token")
        self.ActionInvoked(nid, "default")
        self.NotificationClosed(nid, 2)


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
service = Service(bus)
name = dbus.service.BusName(NAME, bus)
record("ready")
GLib.MainLoop().run()
