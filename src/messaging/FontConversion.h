#pragma once

#include "messaging/FontDescription.h"

#include <QFont>

// The widget font a stored description asks for. Sizes come out in pixels, so measuring and
// drawing agree on every device.
QFont ToQFont(const FontDescription& description);

// The description of a widget font, its height as a character height in pixels.
FontDescription ToFontDescription(const QFont& font);
