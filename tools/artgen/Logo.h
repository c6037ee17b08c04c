#pragma once

#include <QByteArray>

namespace Tessaron::Art {

// The maker's logo as an SVG document with a 257 x 121 view box (the size
// the manufacturer window shows it in). Lettering is written as outlines so
// that the picture does not depend on the fonts of the viewing machine.
QByteArray makerLogoSvg();

}  // namespace Tessaron::Art
