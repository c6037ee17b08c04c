#include "Logo.h"

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <cmath>

namespace Tessaron::Art {

namespace {

QString num(double v) {
  QString s = QString::number(std::round(v * 100) / 100, 'f', 2);
  while (s.endsWith(QLatin1Char('0'))) s.chop(1);
  if (s.endsWith(QLatin1Char('.'))) s.chop(1);
  return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

// SVG path data of a painter path (moves, lines and cubic curves).
QString pathData(const QPainterPath& path) {
  QString d;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      if (i > 0) d += QLatin1Char('Z');
      d += QStringLiteral("M%1 %2").arg(num(e.x), num(e.y));
    } else if (e.isLineTo()) {
      d += QStringLiteral("L%1 %2").arg(num(e.x), num(e.y));
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      const QPainterPath::Element c2 = path.elementAt(i + 1), to = path.elementAt(i + 2);
      d += QStringLiteral("C%1 %2 %3 %4 %5 %6").arg(num(e.x), num(e.y), num(c2.x), num(c2.y), num(to.x), num(to.y));
      i += 2;
    }
  }
  if (!d.isEmpty()) d += QLatin1Char('Z');
  return d;
}

// The outline of a text, scaled to a given cap height and placed with its
// baseline starting at (x, baseline); optionally squeezed to a maximum width.
QPainterPath textOutline(const QString& text, const QFont& font, double x, double baseline, double capHeight,
                         double maxWidth) {
  QPainterPath t;
  t.addText(0, 0, font, text);
  QPainterPath cap;
  cap.addText(0, 0, font, QStringLiteral("H"));
  const double s = capHeight / cap.boundingRect().height();
  const QRectF b = t.boundingRect();
  const double sx = std::min(s, maxWidth / b.width());
  QTransform m;
  m.translate(x - b.left() * sx, baseline);
  m.scale(sx, s);
  return m.map(t);
}

}  // namespace

QByteArray makerLogoSvg() {
  QFont wordmark(QStringLiteral("URW Gothic"));
  wordmark.setPixelSize(200);
  wordmark.setWeight(QFont::DemiBold);
  wordmark.setLetterSpacing(QFont::PercentageSpacing, 108);
  QFont line2(QStringLiteral("Liberation Sans"));
  line2.setPixelSize(200);
  line2.setLetterSpacing(QFont::PercentageSpacing, 104);

  const QString name = pathData(textOutline(QStringLiteral("VELMAR"), wordmark, 110, 62, 33, 138));
  const QString sub = pathData(textOutline(QStringLiteral("Softwaretechnik"), line2, 111, 96, 15.5, 137));

  QString svg = QString::fromUtf8(R"svg(<?xml version="1.0" encoding="UTF-8"?>
<!-- Velmar Softwaretechnik: logo. Drawn by tools/artgen; lettering as outlines. -->
<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="257" height="121" viewBox="0 0 257 121">
  <title>Velmar Softwaretechnik</title>
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#3159b8"/>
      <stop offset="0.55" stop-color="#17307a"/>
      <stop offset="1" stop-color="#0a1744"/>
    </linearGradient>
    <linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#fff3b8"/>
      <stop offset="0.45" stop-color="#f0b83a"/>
      <stop offset="1" stop-color="#a86d0e"/>
    </linearGradient>
    <linearGradient id="rule" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#c8901c"/>
      <stop offset="1" stop-color="#c8901c" stop-opacity="0"/>
    </linearGradient>
    <linearGradient id="ink" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#24408e"/>
      <stop offset="1" stop-color="#0c1c4e"/>
    </linearGradient>
  </defs>
  <!-- Tile: a small scope screen. -->
  <rect x="9" y="15" width="90" height="91" rx="14" ry="14" fill="#000" fill-opacity="0.25" transform="translate(2.5 3)"/>
  <rect x="9" y="15" width="90" height="91" rx="14" ry="14" fill="url(#tile)" stroke="#08122f" stroke-width="1.5"/>
  <g stroke="#6f8fe0" stroke-opacity="0.35" stroke-width="0.8">
    <path d="M31.5 18V103M54 18V103M76.5 18V103M12 37.75H96M12 60.5H96M12 83.25H96"/>
  </g>
  <!-- The trace draws a V: a step down, a rise and a ringing settle. -->
  <path d="M14 44L26 44L50 91L71 33C75 22 80 19 84 27C86.5 32 89 33 95 31"
        fill="none" stroke="#07102c" stroke-opacity="0.55" stroke-width="9" stroke-linecap="round" stroke-linejoin="round"
        transform="translate(1.5 2)"/>
  <path d="M14 44L26 44L50 91L71 33C75 22 80 19 84 27C86.5 32 89 33 95 31"
        fill="none" stroke="url(#gold)" stroke-width="7.5" stroke-linecap="round" stroke-linejoin="round"/>
  <path d="M15 42.6L26 42.6L49.6 88.6M71.4 29.6C75 21.4 79 19 82 23"
        fill="none" stroke="#fffbe6" stroke-opacity="0.85" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"/>
  <path d="M11 29C11 21 16 17 24 17H84C92 17 97 21 97 29V46C72 54 37 54 11 46Z" fill="#fff" fill-opacity="0.13"/>
  <!-- Word mark. -->
  <path d="%1" fill="url(#ink)"/>
  <rect x="111" y="70" width="136" height="2.2" fill="url(#rule)"/>
  <path d="%2" fill="#3b4150"/>
</svg>
)svg");
  return svg.arg(name, sub).toUtf8();
}

}  // namespace Tessaron::Art
