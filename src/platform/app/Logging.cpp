#include "platform/app/Logging.h"

Q_LOGGING_CATEGORY(lcApp, "tellwick.app")
Q_LOGGING_CATEGORY(lcInstance, "tellwick.instance")
Q_LOGGING_CATEGORY(lcSettings, "tellwick.settings")
Q_LOGGING_CATEGORY(lcMailslot, "tellwick.mailslot")
Q_LOGGING_CATEGORY(lcLog, "tellwick.log")
Q_LOGGING_CATEGORY(lcAlerts, "tellwick.alerts")
Q_LOGGING_CATEGORY(lcAbout, "tellwick.about")
