#pragma once

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace Tessaron::Art {

// The button pictures of the histograph's tool bar (16 x 16) and of its
// demonstration window (32 x 16: up and disabled), in the 16 basic colours;
// the bottom-left pixel is the transparent colour (olive).
std::vector<std::pair<QString, QImage>> drawGlyphs();

}  // namespace Tessaron::Art
