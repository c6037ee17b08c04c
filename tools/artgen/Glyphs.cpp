#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace Tessaron::Art {

namespace {

const QColor kClear(128, 128, 0);  // transparent (olive, unused in the pictures)
const QColor kBlack(0, 0, 0), kWhite(255, 255, 255), kGray(128, 128, 128), kSilver(192, 192, 192);
const QColor kRed(255, 0, 0), kMaroon(128, 0, 0), kBlue(0, 0, 255), kNavy(0, 0, 128);
const QColor kGreen(0, 128, 0), kLime(0, 255, 0), kTeal(0, 128, 128), kYellow(255, 255, 0);

using Painter = std::function<void(QPainter&)>;

QImage glyph(const Painter& draw) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(kClear);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  draw(p);
  return image;
}

void line(QPainter& p, QColor c, int x1, int y1, int x2, int y2) {
  p.setPen(c);
  p.drawLine(x1, y1, x2, y2);
}

// A small sine over the glyph, from column 1 to 14, around row Y.
void wave(QPainter& p, QColor c, int y, int amplitude, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(c);
  pen.setStyle(style);
  p.setPen(pen);
  QPolygon points;
  for (int x = 1; x <= 14; ++x)
    points << QPoint(x, y - int(amplitude * std::sin((x - 1) * 0.45)));
  p.drawPolyline(points);
}

// An arrow head pointing up (dir -1) or down (dir 1) with its tip at (x, y).
void head(QPainter& p, QColor c, int x, int y, int dir) {
  for (int i = 0; i < 3; ++i) line(p, c, x - i, y - dir * i, x + i, y - dir * i);
}

// Two-state picture for the demonstration buttons: the picture and its
// disabled copy (dark pixels grey, the rest white-embossed).
QImage twoState(const QImage& up) {
  QImage both(32, 16, QImage::Format_RGB32);
  both.fill(kClear);
  QPainter p(&both);
  p.drawImage(0, 0, up);
  QImage off(16, 16, QImage::Format_RGB32);
  off.fill(kClear);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (up.pixel(x, y) != kClear.rgb()) {
        if (x + 1 < 16 && y + 1 < 16) off.setPixel(x + 1, y + 1, kWhite.rgb());
      }
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (up.pixel(x, y) != kClear.rgb()) off.setPixel(x, y, kGray.rgb());
  p.drawImage(16, 0, off);
  return both;
}

}  // namespace

std::vector<std::pair<QString, QImage>> drawGlyphs() {
  std::vector<std::pair<QString, QImage>> g;
  g.emplace_back("cross", glyph([](QPainter& p) {
    line(p, kBlack, 1, 7, 5, 7);
    line(p, kBlack, 9, 7, 14, 7);
    line(p, kBlack, 7, 1, 7, 5);
    line(p, kBlack, 7, 9, 7, 14);
    p.fillRect(6, 6, 3, 3, kRed);
  }));
  g.emplace_back("zoom", glyph([](QPainter& p) {
    p.setPen(kBlack);
    p.setBrush(QColor(0, 255, 255));
    p.drawEllipse(1, 1, 8, 8);
    line(p, kBlack, 8, 9, 13, 14);
    line(p, kBlack, 9, 8, 14, 13);
    line(p, kBlack, 9, 9, 14, 14);
    line(p, kWhite, 3, 4, 4, 3);
  }));
  g.emplace_back("lowerref", glyph([](QPainter& p) {
    wave(p, kBlack, 6, 3);
    wave(p, kRed, 11, 3, Qt::DotLine);
    head(p, kBlue, 13, 11, -1);
    line(p, kBlue, 13, 12, 13, 15);
  }));
  g.emplace_back("upperref", glyph([](QPainter& p) {
    wave(p, kRed, 4, 3, Qt::DotLine);
    wave(p, kBlack, 10, 3);
    head(p, kBlue, 13, 2, -1);
    line(p, kBlue, 13, 3, 13, 6);
  }));
  g.emplace_back("measure", glyph([](QPainter& p) {
    wave(p, kBlue, 8, 5);
    line(p, kRed, 0, 4, 15, 4);
    line(p, kRed, 4, 0, 4, 15);
  }));
  g.emplace_back("calculate", glyph([](QPainter& p) {
    line(p, kRed, 3, 1, 3, 14);
    line(p, kBlue, 12, 1, 12, 14);
    line(p, kBlack, 4, 8, 11, 8);
    for (int i = 1; i < 3; ++i) {
      line(p, kBlack, 4 + i, 8 - i, 4 + i, 8 + i);
      line(p, kBlack, 11 - i, 8 - i, 11 - i, 8 + i);
    }
  }));
  g.emplace_back("autoscale", glyph([](QPainter& p) {
    line(p, kNavy, 3, 3, 3, 12);
    head(p, kNavy, 3, 1, -1);
    head(p, kNavy, 3, 14, 1);
    wave(p, kGreen, 8, 4);
    line(p, kGray, 6, 1, 15, 1);
    line(p, kGray, 6, 14, 15, 14);
  }));
  g.emplace_back("capture", glyph([](QPainter& p) {
    line(p, kBlack, 2, 2, 13, 2);
    line(p, kBlack, 2, 13, 13, 13);
    line(p, kNavy, 7, 3, 7, 5);
    head(p, kNavy, 7, 6, 1);
    line(p, kNavy, 7, 10, 7, 12);
    head(p, kNavy, 7, 9, -1);
    line(p, kRed, 1, 7, 14, 7);
  }));
  g.emplace_back("valuebar", glyph([](QPainter& p) {
    p.fillRect(1, 2, 14, 12, kWhite);
    p.setPen(kBlack);
    p.setBrush(Qt::NoBrush);
    p.drawRect(1, 2, 13, 11);
    p.fillRect(2, 3, 12, 2, kNavy);
    for (int y : {7, 10}) {
      line(p, kBlack, 3, y, 6, y);
      line(p, kTeal, 8, y, 12, y);
    }
  }));
  g.emplace_back("title", glyph([](QPainter& p) {
    line(p, kBlack, 2, 2, 13, 2);
    line(p, kBlack, 2, 3, 13, 3);
    line(p, kBlack, 7, 4, 7, 13);
    line(p, kBlack, 8, 4, 8, 13);
    line(p, kBlack, 5, 13, 10, 13);
    line(p, kBlue, 1, 15, 14, 15);
  }));
  g.emplace_back("grid", glyph([](QPainter& p) {
    p.fillRect(1, 1, 14, 14, kWhite);
    for (int v = 1; v <= 14; v += 13 / 3 + 0) {
      line(p, kGray, v, 1, v, 14);
      line(p, kGray, 1, v, 14, v);
    }
    line(p, kBlack, 1, 14, 14, 14);
    line(p, kBlack, 1, 1, 1, 14);
  }));
  g.emplace_back("axis", glyph([](QPainter& p) {
    line(p, kBlack, 3, 1, 3, 12);
    line(p, kBlack, 3, 12, 14, 12);
    for (int i = 0; i < 4; ++i) {
      line(p, kBlack, 1, 2 + 3 * i, 2, 2 + 3 * i);
      line(p, kBlack, 5 + 3 * i, 13, 5 + 3 * i, 14);
    }
    line(p, kRed, 5, 9, 13, 3);
  }));
  g.emplace_back("start", twoState(glyph([](QPainter& p) {
    p.setPen(kGreen);
    p.setBrush(kLime);
    p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(12, 8), QPoint(4, 14)}));
  })));
  g.emplace_back("stop", twoState(glyph([](QPainter& p) {
    p.setPen(kMaroon);
    p.setBrush(kRed);
    p.drawRect(3, 3, 9, 9);
  })));
  g.emplace_back("tools", twoState(glyph([](QPainter& p) {
    p.fillRect(1, 3, 14, 10, kSilver);
    p.setPen(kBlack);
    p.setBrush(Qt::NoBrush);
    p.drawRect(1, 3, 13, 9);
    p.fillRect(2, 4, 12, 2, kNavy);
    for (int i = 0; i < 4; ++i) p.fillRect(3 + 3 * i, 8, 2, 2, i == 1 ? kRed : kBlue);
    p.fillRect(3, 11, 10, 1, kYellow);
  })));
  return g;
}

}  // namespace Tessaron::Art
