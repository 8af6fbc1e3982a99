#pragma once

#include <QIcon>

// The program's icon with a resource id (the program icon, the tray's flash frames and the
// toolbar's command images); a null icon when there is none.
QIcon LoadAppIcon(int nID);
