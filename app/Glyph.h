#pragma once

#include <QPixmap>

// The go button's green arrow, with the map's yellow (the colour of its
// bottom-left pixel) made transparent.
QPixmap BuildGoGlyph();
