#pragma once

#include <QFont>

// The windows ask for the family "微软雅黑" by name. Where it is not
// installed, these substitutions map it to the CJK fonts that are, so that no
// Chinese text shows as boxes. Call once after the QApplication exists.
void installFontSubstitutions();

// "微软雅黑" at a character height of pixelSize pixels, normal weight.
QFont uiFont(int pixelSize);
