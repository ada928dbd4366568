#pragma once
// TColor values of the settings as real colours: RGB values directly, the system colour numbers
// through the palette's roles.

#include "core/colour_text.h"

#include <QColor>
#include <QPalette>

// `fallback` is used for clNone and clDefault ("No Color", "Automatic").
QColor toQColor(TColor colour, const QPalette& palette, QPalette::ColorRole fallback);
// A plain RGB colour as TColor (0x00BBGGRR).
TColor fromQColor(const QColor& colour);
