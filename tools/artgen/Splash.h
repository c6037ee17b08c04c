#pragma once

#include <QImage>

namespace Tessaron::Art {

// The start picture: the product name as extruded, bevelled gold lettering
// standing above a dark blue mirror floor with a perspective grid, rendered
// by ray marching a distance field of the lettering. Returns a true-colour
// picture of the given size.
QImage renderSplash(int width, int height);

}  // namespace Tessaron::Art
