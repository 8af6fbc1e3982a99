#pragma once

#include "messaging/FontDescription.h"

#include <QByteArray>
#include <QByteArrayView>

// The display font as "ViewFont" holds it: the fourteen members in their order, separated by
// commas. Reading splits at commas (a run of commas is one separator, empty pieces do not count),
// takes numbers as the C library's atol/atoi do, leaves members without a piece at zero, ignores
// pieces past the fourteenth and cuts the face name to what the record holds.
FontDescription ParseViewFont(QByteArrayView text);
QByteArray FormatViewFont(const FontDescription& description);
