#pragma once

#include <QByteArrayView>
#include <QString>

// The longest text a desktop notification shows of a message, in characters.
inline constexpr int kNotificationTextLength = 200;

// What a desktop notification shows of a received message: its text as the view decodes it,
// without colour codes and the other control characters (below 0x20, and DEL), cut at
// kNotificationTextLength characters (never inside one).
QString NotificationText(QByteArrayView text);
