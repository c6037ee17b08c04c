#include "Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace Tessaron::Art {

namespace {

constexpr double kPi = 3.14159265358979;

// ---- Drawing helpers --------------------------------------------------------

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0.0, QColor(138, 156, 190));
  g.setColorAt(0.62, QColor(92, 108, 146));
  g.setColorAt(1.0, QColor(58, 70, 104));
  p.fillRect(image.rect(), g);
  // A faint floor line gives the objects something to stand on.
  QLinearGradient floor(0, h * 0.62, 0, h);
  floor.setColorAt(0.0, QColor(255, 255, 255, 28));
  floor.setColorAt(0.05, QColor(255, 255, 255, 0));
  p.fillRect(QRectF(0, h * 0.62, w, h * 0.38), floor);
  return image;
}

void frame(QImage& image) {
  QPainter p(&image);
  p.setPen(QColor(40, 48, 72));
  p.drawRect(image.rect().adjusted(0, 0, -1, -1));
  p.setPen(QColor(190, 200, 222));
  p.drawLine(1, 1, image.width() - 2, 1);
  p.drawLine(1, 1, 1, image.height() - 2);
}

QColor shade(QColor c, double f) {
  return QColor::fromRgbF(std::clamp(c.redF() * f, 0.0, 1.0), std::clamp(c.greenF() * f, 0.0, 1.0),
                          std::clamp(c.blueF() * f, 0.0, 1.0));
}

// A soft elliptic shadow on the floor under an object.
void floorShadow(QPainter& p, QRectF r) {
  QRadialGradient g(r.center(), r.width() / 2);
  g.setColorAt(0.0, QColor(10, 14, 30, 150));
  g.setColorAt(1.0, QColor(10, 14, 30, 0));
  p.save();
  p.translate(r.center());
  p.scale(1.0, r.height() / r.width());
  p.translate(-r.center());
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(r.center(), r.width() / 2, r.width() / 2);
  p.restore();
}

// A housing in oblique view: the front rectangle, and the top and right side
// faces reaching back by `depth` (x right, y up on screen as a negative value).
void housing(QPainter& p, QRectF front, QPointF depth, QColor face) {
  const QPointF tl = front.topLeft(), tr = front.topRight(), br = front.bottomRight();
  QPolygonF top{tl, tl + depth, tr + depth, tr};
  QPolygonF side{tr, tr + depth, br + depth, br};
  p.setPen(QPen(shade(face, 0.45), 1));
  QLinearGradient gt(tl + depth, tl);
  gt.setColorAt(0, shade(face, 1.02));
  gt.setColorAt(1, shade(face, 1.18));
  p.setBrush(gt);
  p.drawPolygon(top);
  QLinearGradient gs(tr, tr + QPointF(depth.x(), 0));
  gs.setColorAt(0, shade(face, 0.72));
  gs.setColorAt(1, shade(face, 0.55));
  p.setBrush(gs);
  p.drawPolygon(side);
  QLinearGradient gf(front.topLeft(), front.bottomLeft());
  gf.setColorAt(0, shade(face, 1.08));
  gf.setColorAt(1, shade(face, 0.86));
  p.setBrush(gf);
  p.drawRect(front);
  // Bevel highlight along the top and left edges of the front.
  p.setPen(QPen(QColor(255, 255, 255, 120), 1));
  p.drawLine(front.topLeft() + QPointF(1, 1), front.topRight() + QPointF(-1, 1));
  p.drawLine(front.topLeft() + QPointF(1, 1), front.bottomLeft() + QPointF(1, -1));
}

void sunken(QPainter& p, QRectF r, QColor fill) {
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRect(r);
  p.setPen(QPen(QColor(0, 0, 0, 110), 1));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(QPen(QColor(255, 255, 255, 110), 1));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

// Seven-segment digits (0-9, '-', ' ', '.') with a slight slant.
void segments(QPainter& p, QPointF origin, double height, const QString& text, QColor on, QColor off) {
  static const unsigned char kTable[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  const double w = height * 0.52, t = height * 0.13, slant = 0.12;
  double x = origin.x();
  auto seg = [&](double x0, double y0, bool horizontal, double len, bool lit) {
    QPolygonF poly;
    if (horizontal)
      poly << QPointF(x0, y0) << QPointF(x0 + t / 2, y0 - t / 2) << QPointF(x0 + len - t / 2, y0 - t / 2)
           << QPointF(x0 + len, y0) << QPointF(x0 + len - t / 2, y0 + t / 2) << QPointF(x0 + t / 2, y0 + t / 2);
    else
      poly << QPointF(x0, y0) << QPointF(x0 + t / 2, y0 + t / 2) << QPointF(x0 + t / 2, y0 + len - t / 2)
           << QPointF(x0, y0 + len) << QPointF(x0 - t / 2, y0 + len - t / 2) << QPointF(x0 - t / 2, y0 + t / 2);
    for (QPointF& q : poly) q.rx() += (origin.y() + height - q.y()) * slant;
    p.setBrush(lit ? on : off);
    p.drawPolygon(poly);
  };
  p.setPen(Qt::NoPen);
  for (QChar c : text) {
    if (c == QLatin1Char('.')) {
      p.setBrush(on);
      p.drawEllipse(QPointF(x - w * 0.18, origin.y() + height - t * 0.4), t * 0.55, t * 0.55);
      continue;
    }
    int bits = 0;
    if (c.isDigit()) bits = kTable[c.digitValue()];
    if (c == QLatin1Char('-')) bits = 0x40;
    const double y = origin.y(), g = t * 0.15;
    seg(x + g, y, true, w - 2 * g, bits & 0x01);                      // a
    seg(x + w, y + g, false, height / 2 - 2 * g, bits & 0x02);        // b
    seg(x + w, y + height / 2 + g, false, height / 2 - 2 * g, bits & 0x04);  // c
    seg(x + g, y + height, true, w - 2 * g, bits & 0x08);             // d
    seg(x, y + height / 2 + g, false, height / 2 - 2 * g, bits & 0x10);      // e
    seg(x, y + g, false, height / 2 - 2 * g, bits & 0x20);            // f
    seg(x + g, y + height / 2, true, w - 2 * g, bits & 0x40);         // g
    x += w + height * 0.32;
  }
}

void knob(QPainter& p, QPointF c, double r) {
  QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.3);
  g.setColorAt(0, QColor(120, 124, 132));
  g.setColorAt(0.5, QColor(52, 54, 60));
  g.setColorAt(1, QColor(18, 18, 22));
  p.setPen(QPen(QColor(10, 10, 12), 0.8));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(230, 230, 235), std::max(1.0, r * 0.16), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-r * 0.35, -r * 0.45), c + QPointF(-r * 0.6, -r * 0.78));
}

void bnc(QPainter& p, QPointF c, double r) {
  QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.3), r * 1.2);
  g.setColorAt(0, QColor(250, 250, 250));
  g.setColorAt(0.6, QColor(170, 172, 178));
  g.setColorAt(1, QColor(90, 92, 98));
  p.setPen(QPen(QColor(60, 60, 66), 0.8));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  p.setBrush(QColor(30, 30, 30));
  p.drawEllipse(c, r * 0.55, r * 0.55);
  p.setBrush(QColor(230, 200, 120));
  p.setPen(Qt::NoPen);
  p.drawEllipse(c, r * 0.18, r * 0.18);
}

void button(QPainter& p, QRectF r, QColor c) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, shade(c, 1.25));
  g.setColorAt(1, shade(c, 0.8));
  p.setPen(QPen(shade(c, 0.45), 0.8));
  p.setBrush(g);
  p.drawRoundedRect(r, 1.2, 1.2);
}

void caption(QPainter& p, QPointF at, const QString& text, double px, QColor c, bool bold = false) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(int(px));
  f.setBold(bold);
  p.setFont(f);
  p.setPen(c);
  p.drawText(at, text);
}

// A round cable: a dark body with a soft highlight along it.
void cable(QPainter& p, const QPainterPath& path, double width, QColor body) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 70), width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path.translated(1.5, 2.5));
  p.setPen(QPen(body, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(shade(body, 2.2), width * 0.28, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path.translated(-width * 0.18, -width * 0.22));
}

// The 24-pin bus plug seen from the side: metal shell, black body, two screws.
void busPlug(QPainter& p, QRectF r) {
  QLinearGradient shell(r.topLeft(), r.bottomLeft());
  shell.setColorAt(0, QColor(235, 236, 240));
  shell.setColorAt(0.5, QColor(160, 162, 170));
  shell.setColorAt(1, QColor(110, 112, 120));
  p.setPen(QPen(QColor(50, 50, 56), 0.8));
  p.setBrush(shell);
  p.drawRoundedRect(r, 1.5, 1.5);
  const QRectF body = r.adjusted(r.width() * 0.12, r.height() * 0.22, -r.width() * 0.12, -r.height() * 0.22);
  QLinearGradient b(body.topLeft(), body.bottomLeft());
  b.setColorAt(0, QColor(70, 70, 76));
  b.setColorAt(1, QColor(20, 20, 24));
  p.setBrush(b);
  p.drawRoundedRect(body, 1, 1);
  for (double x : {r.left() + r.width() * 0.06, r.right() - r.width() * 0.06}) {
    QRadialGradient s(QPointF(x - 1, r.center().y() - 1), r.height() * 0.2);
    s.setColorAt(0, Qt::white);
    s.setColorAt(1, QColor(120, 120, 126));
    p.setBrush(s);
    p.drawEllipse(QPointF(x, r.center().y()), r.height() * 0.13, r.height() * 0.13);
  }
}

// The bus socket on a rear panel or card bracket: a D-shaped ribbon socket.
void busSocketFront(QPainter& p, QRectF r, int pinsPerRow) {
  QLinearGradient shell(r.topLeft(), r.bottomLeft());
  shell.setColorAt(0, QColor(228, 230, 236));
  shell.setColorAt(1, QColor(120, 122, 130));
  p.setPen(QPen(QColor(50, 50, 56), 0.8));
  p.setBrush(shell);
  p.drawRoundedRect(r, 2, 2);
  const QRectF slot = r.adjusted(r.width() * 0.16, r.height() * 0.25, -r.width() * 0.16, -r.height() * 0.25);
  p.setBrush(QColor(24, 24, 28));
  p.drawRect(slot);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(210, 170, 70));
  const double step = slot.width() / pinsPerRow;
  for (int i = 0; i < pinsPerRow; ++i) {
    p.drawRect(QRectF(slot.left() + step * (i + 0.3), slot.top() + 1, step * 0.4, slot.height() * 0.28));
    p.drawRect(QRectF(slot.left() + step * (i + 0.3), slot.bottom() - 1 - slot.height() * 0.28, step * 0.4,
                      slot.height() * 0.28));
  }
  for (double x : {r.left() + r.width() * 0.08, r.right() - r.width() * 0.08}) {
    p.setBrush(QColor(90, 90, 96));
    p.drawEllipse(QPointF(x, r.center().y()), r.height() * 0.14, r.height() * 0.14);
  }
}

// A D-sub connector seen from the front: flange with two hex standoffs, a
// trapezoid metal shell, the insulator and the pins (top row has one more).
void dsubFront(QPainter& p, QPointF c, int topPins, double pitch) {
  const double wTop = (topPins + 0.9) * pitch, h = pitch * 2.7, wBottom = wTop - pitch * 0.9;
  const QRectF flange(c.x() - wTop / 2 - pitch * 2.6, c.y() - h / 2 - pitch * 0.9, wTop + pitch * 5.2, h + pitch * 1.8);
  QLinearGradient fg(flange.topLeft(), flange.bottomLeft());
  fg.setColorAt(0, QColor(236, 238, 242));
  fg.setColorAt(0.5, QColor(176, 178, 186));
  fg.setColorAt(1, QColor(120, 122, 132));
  p.setPen(QPen(QColor(60, 62, 70), 1));
  p.setBrush(fg);
  p.drawRoundedRect(flange, pitch * 0.4, pitch * 0.4);
  for (double sx : {flange.left() + pitch * 1.25, flange.right() - pitch * 1.25}) {
    QPolygonF hex;
    for (int i = 0; i < 6; ++i)
      hex << QPointF(sx + pitch * 0.8 * std::cos(i * kPi / 3), c.y() + pitch * 0.8 * std::sin(i * kPi / 3));
    QLinearGradient hg(sx - pitch, c.y() - pitch, sx + pitch, c.y() + pitch);
    hg.setColorAt(0, QColor(250, 250, 252));
    hg.setColorAt(1, QColor(110, 112, 120));
    p.setBrush(hg);
    p.drawPolygon(hex);
    p.setBrush(QColor(40, 40, 46));
    p.drawEllipse(QPointF(sx, c.y()), pitch * 0.35, pitch * 0.35);
  }
  auto trapezoid = [&](double grow) {
    return QPolygonF{QPointF(c.x() - wTop / 2 - grow, c.y() - h / 2 - grow),
                     QPointF(c.x() + wTop / 2 + grow, c.y() - h / 2 - grow),
                     QPointF(c.x() + wBottom / 2 + grow * 0.8, c.y() + h / 2 + grow),
                     QPointF(c.x() - wBottom / 2 - grow * 0.8, c.y() + h / 2 + grow)};
  };
  QLinearGradient sg(c.x(), c.y() - h, c.x(), c.y() + h);
  sg.setColorAt(0, QColor(120, 122, 130));
  sg.setColorAt(1, QColor(240, 240, 244));
  p.setBrush(sg);
  p.drawPolygon(trapezoid(pitch * 0.45));
  p.setBrush(QColor(28, 28, 32));
  p.setPen(QPen(QColor(10, 10, 12), 1));
  p.drawPolygon(trapezoid(0));
  auto pin = [&](QPointF q) {
    QRadialGradient g(q + QPointF(-pitch * 0.12, -pitch * 0.12), pitch * 0.4);
    g.setColorAt(0, QColor(255, 244, 190));
    g.setColorAt(0.6, QColor(214, 168, 60));
    g.setColorAt(1, QColor(120, 84, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(q, pitch * 0.3, pitch * 0.3);
  };
  for (int i = 0; i < topPins; ++i) pin(QPointF(c.x() + (i - (topPins - 1) / 2.0) * pitch, c.y() - pitch * 0.55));
  for (int i = 0; i < topPins - 1; ++i) pin(QPointF(c.x() + (i - (topPins - 2) / 2.0) * pitch, c.y() + pitch * 0.55));
}

// A liquid-crystal reading: dark segments on a grey-green glass.
void lcdReading(QPainter& p, QRectF r, const QString& text) {
  sunken(p, r.adjusted(-2, -2, 2, 2), QColor(70, 74, 80));
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(186, 198, 168));
  g.setColorAt(1, QColor(150, 164, 132));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRect(r);
  const double dh = r.height() * 0.62;
  segments(p, QPointF(r.left() + r.width() * 0.07, r.top() + (r.height() - dh) / 2), dh, text, QColor(24, 28, 26),
           QColor(170, 182, 152));
}

// ---- Instruments --------------------------------------------------------------

const QColor kBeige(214, 206, 186);
const QColor kGrey(188, 192, 198);
const QColor kDark(70, 76, 88);

void multimeter(QPainter& p, QRectF f, QPointF depth, const QString& reading) {
  housing(p, f, depth, kGrey);
  const QRectF panel = f.adjusted(3, 3, -3, -3);
  const QRectF display = QRectF(panel.left() + 3, panel.top() + 3, panel.width() * 0.52, panel.height() * 0.56);
  sunken(p, display, QColor(22, 30, 24));
  const double dh = display.height() * 0.58;
  segments(p, QPointF(display.left() + display.width() * 0.08, display.top() + (display.height() - dh) / 2 - 1), dh,
           reading, QColor(120, 255, 140), QColor(34, 52, 38));
  const double bx = display.right() + 5;
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col)
      button(p, QRectF(bx + col * (panel.width() * 0.09), panel.top() + 4 + row * panel.height() * 0.22,
                       panel.width() * 0.07, panel.height() * 0.14),
             row == 0 && col == 0 ? QColor(80, 120, 200) : QColor(205, 208, 214));
  for (int i = 0; i < 4; ++i)
    bnc(p, QPointF(panel.left() + 8 + i * panel.width() * 0.14, panel.bottom() - panel.height() * 0.2),
        panel.height() * 0.1);
  knob(p, QPointF(panel.right() - panel.height() * 0.3, panel.bottom() - panel.height() * 0.3), panel.height() * 0.22);
}

void oscilloscope(QPainter& p, QRectF f, QPointF depth) {
  housing(p, f, depth, kGrey);
  const QRectF panel = f.adjusted(3, 3, -3, -3);
  const QRectF screen(panel.left() + 3, panel.top() + 3, panel.width() * 0.5, panel.height() - 6);
  sunken(p, screen.adjusted(-2, -2, 2, 2), kDark);
  QRadialGradient g(screen.center(), screen.width() * 0.7);
  g.setColorAt(0, QColor(20, 60, 40));
  g.setColorAt(1, QColor(6, 22, 14));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(screen, 3, 3);
  p.setPen(QPen(QColor(70, 140, 100, 140), 0.6));
  for (int i = 1; i < 8; ++i) p.drawLine(QPointF(screen.left() + screen.width() * i / 8, screen.top() + 1),
                                         QPointF(screen.left() + screen.width() * i / 8, screen.bottom() - 1));
  for (int i = 1; i < 6; ++i) p.drawLine(QPointF(screen.left() + 1, screen.top() + screen.height() * i / 6),
                                         QPointF(screen.right() - 1, screen.top() + screen.height() * i / 6));
  QPainterPath trace;
  for (int i = 0; i <= 80; ++i) {
    const double x = screen.left() + 2 + (screen.width() - 4) * i / 80.0;
    const double y = screen.center().y() - screen.height() * 0.3 * std::sin(i / 80.0 * 4 * kPi) *
                                               (0.6 + 0.4 * std::cos(i / 80.0 * kPi));
    i == 0 ? trace.moveTo(x, y) : trace.lineTo(x, y);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(80, 255, 150, 90), 3));
  p.drawPath(trace);
  p.setPen(QPen(QColor(190, 255, 210), 1.1));
  p.drawPath(trace);
  const double kx = screen.right() + 8;
  for (int i = 0; i < 3; ++i) knob(p, QPointF(kx + i * panel.width() * 0.13, panel.top() + panel.height() * 0.28),
                                   panel.height() * 0.13);
  for (int i = 0; i < 3; ++i)
    button(p, QRectF(kx - 3 + i * panel.width() * 0.13, panel.top() + panel.height() * 0.52, panel.width() * 0.08,
                     panel.height() * 0.12),
           QColor(205, 208, 214));
  for (int i = 0; i < 2; ++i) bnc(p, QPointF(kx + 2 + i * panel.width() * 0.17, panel.bottom() - panel.height() * 0.17),
                                  panel.height() * 0.1);
}

void generator(QPainter& p, QRectF f, QPointF depth) {
  housing(p, f, depth, kBeige);
  const QRectF panel = f.adjusted(3, 3, -3, -3);
  const QRectF display(panel.left() + 3, panel.top() + 3, panel.width() * 0.42, panel.height() * 0.5);
  sunken(p, display, QColor(40, 16, 10));
  const double dh = display.height() * 0.56;
  segments(p, QPointF(display.left() + 5, display.top() + (display.height() - dh) / 2 - 1), dh, QStringLiteral("1.000"),
           QColor(255, 110, 60), QColor(70, 28, 18));
  // Waveform keys: sine, square, triangle.
  for (int i = 0; i < 3; ++i) {
    const QRectF k(display.right() + 6 + i * panel.width() * 0.1, panel.top() + 4, panel.width() * 0.08,
                   panel.height() * 0.2);
    button(p, k, QColor(205, 208, 214));
    QPainterPath w;
    for (int s = 0; s <= 12; ++s) {
      const double x = k.left() + 2 + (k.width() - 4) * s / 12.0, ph = s / 12.0 * 2 * kPi;
      double v = i == 0 ? std::sin(ph) : i == 1 ? (s < 6 ? 1 : -1) : 1 - 4 * std::fabs(s / 12.0 - 0.5);
      const double y = k.center().y() - v * k.height() * 0.28;
      s == 0 ? w.moveTo(x, y) : w.lineTo(x, y);
    }
    p.setPen(QPen(QColor(40, 40, 60), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(w);
  }
  knob(p, QPointF(panel.right() - panel.height() * 0.32, panel.center().y() + 2), panel.height() * 0.28);
  bnc(p, QPointF(panel.left() + 10, panel.bottom() - panel.height() * 0.2), panel.height() * 0.1);
  bnc(p, QPointF(panel.left() + 30, panel.bottom() - panel.height() * 0.2), panel.height() * 0.1);
}

// A desktop computer: monitor on a flat case, seen in the same oblique view.
void computer(QPainter& p, QRectF caseFront, QPointF depth) {
  housing(p, caseFront, depth, kBeige);
  const QRectF c = caseFront.adjusted(4, 4, -4, -4);
  for (int i = 0; i < 2; ++i) {
    const QRectF bay(c.left() + c.width() * 0.42, c.top() + 2 + i * c.height() * 0.4, c.width() * 0.5, c.height() * 0.3);
    sunken(p, bay, shade(kBeige, 0.92));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawLine(QPointF(bay.left() + 4, bay.center().y()), QPointF(bay.right() - 10, bay.center().y()));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 220, 80));
  p.drawEllipse(QPointF(c.left() + 6, c.bottom() - 4), 1.6, 1.6);
  button(p, QRectF(c.left() + 12, c.bottom() - 7, 8, 5), shade(kBeige, 0.9));

  // Monitor.
  const double mw = caseFront.width() * 0.8, mh = mw * 0.78;
  const QRectF mon(caseFront.left() + (caseFront.width() - mw) / 2 + depth.x() * 0.4,
                   caseFront.top() + depth.y() * 0.6 - mh - 4, mw, mh);
  const QRectF foot(mon.center().x() - mw * 0.22, mon.bottom(), mw * 0.44, 5 + depth.y() * -0.2);
  housing(p, foot, QPointF(depth.x() * 0.4, depth.y() * 0.4), shade(kBeige, 0.95));
  housing(p, mon, QPointF(depth.x() * 0.9, depth.y() * 0.9), kBeige);
  const QRectF glass = mon.adjusted(mw * 0.08, mh * 0.08, -mw * 0.08, -mh * 0.16);
  sunken(p, glass.adjusted(-2, -2, 2, 2), shade(kBeige, 0.7));
  QLinearGradient g(glass.topLeft(), glass.bottomRight());
  g.setColorAt(0, QColor(40, 70, 150));
  g.setColorAt(1, QColor(10, 22, 70));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(glass, 3, 3);
  // A little measurement window on the screen.
  const QRectF win = glass.adjusted(glass.width() * 0.1, glass.height() * 0.14, -glass.width() * 0.1, -glass.height() * 0.14);
  p.setBrush(QColor(192, 192, 192));
  p.drawRect(win);
  p.setBrush(QColor(0, 0, 128));
  p.drawRect(QRectF(win.left(), win.top(), win.width(), 3));
  const QRectF plot = win.adjusted(2, 5, -2, -2);
  p.setBrush(Qt::white);
  p.drawRect(plot);
  QPainterPath curve;
  for (int i = 0; i <= 30; ++i) {
    const double x = plot.left() + plot.width() * i / 30.0;
    const double y = plot.center().y() - plot.height() * 0.35 * std::sin(i / 30.0 * 3 * kPi);
    i == 0 ? curve.moveTo(x, y) : curve.lineTo(x, y);
  }
  p.setPen(QPen(QColor(200, 0, 0), 0.9));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
  // Glass glare.
  QLinearGradient glare(glass.topLeft(), glass.center());
  glare.setColorAt(0, QColor(255, 255, 255, 70));
  glare.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glare);
  p.drawPolygon(QPolygonF{glass.topLeft(), glass.topRight(), glass.bottomLeft()});
}

}  // namespace

QImage drawGpibBus() {
  QImage image = canvas(320, 200);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF depth(14, -9);

    floorShadow(p, QRectF(6, 150, 104, 22));
    floorShadow(p, QRectF(112, 156, 200, 26));
    computer(p, QRectF(10, 128, 86, 30), depth);
    // Three instruments stacked into a small rack.
    generator(p, QRectF(120, 134, 150, 34), depth);
    oscilloscope(p, QRectF(120, 96, 150, 38), depth);
    multimeter(p, QRectF(120, 62, 150, 34), depth, QStringLiteral("4.9987"));

    // The bus: one cable from the PC's card and a daisy chain up the stack.
    const QColor body(32, 34, 40);
    QPainterPath fromPc;
    fromPc.moveTo(98, 150);
    fromPc.cubicTo(112, 182, 104, 188, 118, 186);
    fromPc.cubicTo(170, 186, 280, 190, 292, 162);
    cable(p, fromPc, 5.0, body);
    QPainterPath chain1;
    chain1.moveTo(292, 150);
    chain1.cubicTo(304, 136, 300, 124, 290, 116);
    cable(p, chain1, 5.0, body);
    QPainterPath chain2;
    chain2.moveTo(290, 108);
    chain2.cubicTo(304, 96, 302, 86, 290, 80);
    cable(p, chain2, 5.0, body);
    busPlug(p, QRectF(284, 150, 20, 9));
    busPlug(p, QRectF(282, 110, 20, 9));
    busPlug(p, QRectF(282, 74, 20, 9));

    caption(p, QPointF(10, 22), QStringLiteral("GPIB"), 18, QColor(255, 255, 255), true);
    caption(p, QPointF(62, 22), QStringLiteral("IEEE-488"), 12, QColor(226, 232, 250));
    caption(p, QPointF(11, 38), QStringLiteral("bis zu 15 Geräte an einem Bus"), 10, QColor(220, 226, 244));
  }
  frame(image);
  return image;
}

QImage drawGpibInstrument() {
  QImage image = canvas(320, 100);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    floorShadow(p, QRectF(14, 74, 220, 22));
    multimeter(p, QRectF(14, 28, 186, 56), QPointF(20, -14), QStringLiteral("12.3456"));

    // The bus plug with its cable at the instrument's side.
    const QColor body(32, 34, 40);
    QPainterPath c;
    c.moveTo(282, 52);
    c.cubicTo(300, 52, 306, 70, 316, 86);
    cable(p, c, 8.0, body);
    busPlug(p, QRectF(246, 40, 38, 15));
    busPlug(p, QRectF(252, 56, 38, 15));
    QPainterPath c2;
    c2.moveTo(288, 68);
    c2.cubicTo(304, 72, 300, 92, 290, 104);
    cable(p, c2, 8.0, body);
    caption(p, QPointF(242, 20), QStringLiteral("IEEE-488"), 12, QColor(255, 255, 255), true);
    caption(p, QPointF(243, 33), QStringLiteral("24-polig, stapelbar"), 8, QColor(226, 232, 250));
  }
  frame(image);
  return image;
}

QImage drawGpibCard() {
  QImage image = canvas(320, 100);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Slot bracket on the left, with the bus socket.
    const QRectF bracket(10, 8, 22, 80);
    QLinearGradient bg(bracket.topLeft(), bracket.topRight());
    bg.setColorAt(0, QColor(235, 236, 240));
    bg.setColorAt(1, QColor(140, 142, 150));
    p.setPen(QPen(QColor(60, 60, 66), 0.8));
    p.setBrush(bg);
    p.drawRect(bracket);
    p.drawRect(QRectF(6, 4, 30, 6));
    p.save();
    p.translate(21, 48);
    p.rotate(90);
    busSocketFront(p, QRectF(-30, -8, 60, 16), 12);
    p.restore();

    // The board.
    const QRectF board(32, 12, 270, 62);
    QLinearGradient pcb(board.topLeft(), board.bottomLeft());
    pcb.setColorAt(0, QColor(40, 130, 70));
    pcb.setColorAt(1, QColor(20, 88, 46));
    p.setPen(QPen(QColor(12, 60, 30), 1));
    p.setBrush(pcb);
    p.drawRect(board);
    // Edge connector: gold fingers in two groups.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 88, 46));
    p.drawRect(QRectF(60, 74, 180, 10));
    for (int i = 0; i < 31; ++i) {
      QLinearGradient gold(0, 75, 0, 84);
      gold.setColorAt(0, QColor(255, 230, 140));
      gold.setColorAt(1, QColor(190, 140, 40));
      p.setBrush(gold);
      p.drawRect(QRectF(64 + i * 4.6, 75, 3, 8.5));
    }
    p.setBrush(QColor(20, 88, 46));
    p.drawRect(QRectF(248, 74, 40, 10));
    for (int i = 0; i < 8; ++i) {
      QLinearGradient gold(0, 75, 0, 84);
      gold.setColorAt(0, QColor(255, 230, 140));
      gold.setColorAt(1, QColor(190, 140, 40));
      p.setBrush(gold);
      p.drawRect(QRectF(251 + i * 4.6, 75, 3, 8.5));
    }
    // Traces.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 200, 130, 120), 0.8));
    for (int i = 0; i < 14; ++i) {
      const double x = 66 + i * 9.5;
      QPainterPath t;
      t.moveTo(x, 74);
      t.lineTo(x, 64 - (i % 4) * 2);
      t.lineTo(x + 10, 56 - (i % 4) * 2);
      p.drawPath(t);
    }
    // Chips: the bus controller, two drivers, memory.
    auto chip = [&](QRectF r, const QString& label) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 0, 0, 80));
      p.drawRect(r.translated(1.5, 1.5));
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, QColor(62, 62, 68));
      g.setColorAt(1, QColor(26, 26, 30));
      p.setBrush(g);
      p.drawRect(r);
      p.setPen(QPen(QColor(200, 200, 206), 0.9));
      for (double x = r.left() + 2; x < r.right() - 1; x += 3.2) {
        p.drawLine(QPointF(x, r.top() - 2), QPointF(x, r.top()));
        p.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 2));
      }
      caption(p, QPointF(r.left() + 3, r.center().y() + 3), label, 6.5, QColor(200, 200, 206));
    };
    chip(QRectF(48, 24, 46, 16), QStringLiteral("TNX-488"));
    chip(QRectF(48, 48, 34, 12), QStringLiteral("BT-16"));
    chip(QRectF(104, 22, 34, 12), QStringLiteral("BT-17"));
    chip(QRectF(150, 24, 40, 14), QStringLiteral("RAM"));
    chip(QRectF(206, 24, 40, 14), QStringLiteral("ROM"));
    // Jumper block and a crystal.
    p.setPen(QPen(QColor(20, 20, 20), 0.8));
    p.setBrush(QColor(30, 30, 36));
    for (int i = 0; i < 5; ++i) p.drawRect(QRectF(108 + i * 5, 44, 4, 8));
    QLinearGradient xt(0, 42, 0, 50);
    xt.setColorAt(0, QColor(240, 240, 244));
    xt.setColorAt(1, QColor(140, 140, 150));
    p.setBrush(xt);
    p.drawRoundedRect(QRectF(148, 44, 18, 8), 3, 3);
    caption(p, QPointF(196, 56), QStringLiteral("GPIB-ISA"), 9, QColor(230, 240, 230), true);
  }
  frame(image);
  return image;
}

QImage drawRs232() {
  QImage image = canvas(561, 302);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Title and a serial character on the line: start bit, 8 data bits, stop bit.
    caption(p, QPointF(22, 44), QStringLiteral("RS-232"), 34, Qt::white, true);
    caption(p, QPointF(24, 64), QStringLiteral("Serielle Schnittstelle für Meßgeräte"), 12, QColor(226, 232, 250));
    const QRectF wave(262, 22, 270, 40);
    const int bits[10] = {0, 1, 0, 1, 1, 0, 0, 1, 0, 1};  // start, data LSB first, stop
    QPainterPath line;
    double x = wave.left();
    auto level = [&](int b) { return b ? wave.top() + 8 : wave.bottom() - 8; };
    line.moveTo(x, level(1));
    x += 18;
    line.lineTo(x, level(1));
    for (int b : bits) {
      line.lineTo(x, level(b));
      x += 22;
      line.lineTo(x, level(b));
    }
    line.lineTo(x, level(1));
    line.lineTo(wave.right(), level(1));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 255, 170, 70), 5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(line);
    p.setPen(QPen(QColor(200, 255, 220), 1.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(line);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(9);
    p.setFont(f);
    p.setPen(QColor(220, 228, 248));
    p.drawText(QRectF(wave.left() + 18, wave.bottom() - 4, 22, 12), Qt::AlignCenter, QStringLiteral("Start"));
    for (int i = 0; i < 8; ++i)
      p.drawText(QRectF(wave.left() + 18 + 22 * (i + 1), wave.bottom() - 4, 22, 12), Qt::AlignCenter,
                 QStringLiteral("D%1").arg(i));
    p.drawText(QRectF(wave.left() + 18 + 22 * 9, wave.bottom() - 4, 22, 12), Qt::AlignCenter, QStringLiteral("Stop"));

    // The instrument: a bench meter with a liquid-crystal reading.
    floorShadow(p, QRectF(22, 206, 250, 30));
    const QRectF front(30, 108, 210, 110);
    housing(p, front, QPointF(26, -18), kBeige);
    const QRectF panel = front.adjusted(6, 6, -6, -6);
    lcdReading(p, QRectF(panel.left() + 6, panel.top() + 8, 128, 40), QStringLiteral("-0.2486"));
    caption(p, QPointF(panel.left() + 118, panel.top() + 62), QStringLiteral("V DC"), 10, QColor(60, 60, 70), true);
    for (int i = 0; i < 4; ++i)
      button(p, QRectF(panel.left() + 148, panel.top() + 8 + i * 11, 24, 8),
             i == 0 ? QColor(210, 80, 60) : QColor(205, 208, 214));
    knob(p, QPointF(panel.right() - 20, panel.top() + 72), 14);
    bnc(p, QPointF(panel.left() + 16, panel.bottom() - 16), 7);
    bnc(p, QPointF(panel.left() + 40, panel.bottom() - 16), 7);
    for (int i = 0; i < 5; ++i)
      button(p, QRectF(panel.left() + 60 + i * 18, panel.bottom() - 22, 14, 10), QColor(205, 208, 214));
    caption(p, QPointF(panel.left() + 6, panel.top() + 62), QStringLiteral("MESSGERÄT"), 8, QColor(60, 60, 70), true);

    // The cable: from the meter's side socket across to the large DB-25.
    const QColor grey(150, 152, 158);
    QPainterPath c1;
    c1.moveTo(262, 150);
    c1.cubicTo(310, 150, 300, 230, 352, 226);
    c1.cubicTo(392, 223, 360, 120, 382, 116);
    cable(p, c1, 9.0, grey);
    // Side plug on the meter (DB-9 hood in side view).
    QLinearGradient hood(0, 136, 0, 164);
    hood.setColorAt(0, QColor(200, 202, 208));
    hood.setColorAt(1, QColor(110, 112, 120));
    p.setPen(QPen(QColor(60, 62, 70), 1));
    p.setBrush(hood);
    p.drawRoundedRect(QRectF(244, 136, 22, 28), 3, 3);
    p.drawRect(QRectF(240, 132, 5, 36));

    // Close-ups of the two connectors with their pin numbers.
    dsubFront(p, QPointF(460, 118), 13, 11.5);
    caption(p, QPointF(430, 170), QStringLiteral("DB-25"), 13, Qt::white, true);
    caption(p, QPointF(388, 89), QStringLiteral("1"), 9, QColor(226, 232, 250));
    caption(p, QPointF(524, 89), QStringLiteral("13"), 9, QColor(226, 232, 250));

    dsubFront(p, QPointF(470, 230), 5, 13.0);
    caption(p, QPointF(404, 286), QStringLiteral("DB-9"), 13, Qt::white, true);
    caption(p, QPointF(446, 285), QStringLiteral("2 RxD  \u00b7  3 TxD  \u00b7  5 GND"), 10, QColor(226, 232, 250));
    caption(p, QPointF(441, 197), QStringLiteral("1"), 9, QColor(226, 232, 250));
    caption(p, QPointF(494, 197), QStringLiteral("5"), 9, QColor(226, 232, 250));
  }
  frame(image);
  return image;
}

}  // namespace Tessaron::Art
