#pragma once

#include <QLoggingCategory>

// One category per subsystem. A failure the program rides over (it goes on with defaults, or
// without the file) is told there once, as a warning with the system's error text.
Q_DECLARE_LOGGING_CATEGORY(lcApp)      // tellwick.app: start-up, signals, the window
Q_DECLARE_LOGGING_CATEGORY(lcInstance) // tellwick.instance: the single-copy lock and channel
Q_DECLARE_LOGGING_CATEGORY(lcSettings) // tellwick.settings: the store file
Q_DECLARE_LOGGING_CATEGORY(lcMailslot) // tellwick.mailslot: inbox and sending
Q_DECLARE_LOGGING_CATEGORY(lcLog)      // tellwick.log: the message log file
Q_DECLARE_LOGGING_CATEGORY(lcAlerts)   // tellwick.alerts: the alert file and alert tasks
Q_DECLARE_LOGGING_CATEGORY(lcAbout)    // tellwick.about: version record, memory and disk figures

// How a warning line reads on standard error: "tellwick.settings: ...".
inline constexpr char kLogMessagePattern[] = "%{if-category}%{category}: %{endif}%{message}";
