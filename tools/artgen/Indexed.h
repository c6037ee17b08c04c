#pragma once

#include <QImage>
#include <QString>

namespace Tessaron::Art {

// Reduces a true-colour picture to a palette of 256 colours (median cut,
// refined by a few k-means passes) and maps every pixel to it, optionally
// with an ordered 8 x 8 Bayer dither of the given amplitude (in 8-bit
// levels; 0 = nearest colour only).
QImage toIndexed256(const QImage& picture, float ditherAmplitude);

// Writes an 8-bit Format_Indexed8 picture as a Windows bitmap: 40-byte info
// header, biBitCount 8, 256 palette entries (unused ones black), rows bottom
// up and padded to 4 bytes. Returns false when the file cannot be written.
bool writeBmp8(const QImage& indexed, const QString& fileName);

}  // namespace Tessaron::Art
