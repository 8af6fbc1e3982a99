#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Replaces every colour tag of a typed text ("<r>", "<w,r>", "<Red>") by its in-band colour
// code. Every pair of angle brackets counts as a tag; a "<" without a later ">" stays as it is.
QByteArray TranslateColorTags(QByteArrayView text);
