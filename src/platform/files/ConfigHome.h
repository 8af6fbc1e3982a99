#pragma once

#include <QByteArray>

// The user's configuration folder, home of the store and of the start-up entry:
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config (a relative value is ignored, as
// the desktop's rules for that variable say). Without HOME, the home folder is the one the
// user database names.
QByteArray UserConfigHome();
