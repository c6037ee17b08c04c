// tessaron-artgen: draws the pictures of the demonstration program.
//
//   tessaron-artgen [--preview DIR] [--only NAME] OUTDIR
//
// writes into OUTDIR (normally app/data):
//   TSRN0120.BMP          1024 x 768, 256 colours: the start picture
//   hersteller_logo.svg   the maker's logo (view box 257 x 121)
//   gpib_bus.bmp          320 x 200, 256 colours
//   gpib_instrument.bmp   320 x 100, 256 colours
//   gpib_card.bmp         320 x 100, 256 colours
//   rs232.bmp             561 x 302, 256 colours
// With --glyphs DIR, the button pictures of the histograph's tool bar and
// demonstration window go to DIR (normally histograph/glyphs) as PNG files.
// With --preview, PNG copies of every picture (the bitmaps as stored, after
// the palette reduction) and mock-ups of the windows that show them go to DIR.
// --only NAME (splash, logo, gpib, rs232) draws just that group.
// Runs headless: QT_QPA_PLATFORM defaults to offscreen. The output is the same
// on every run; the lettering uses the fonts URW Gothic (Debian package
// fonts-urw-base35) and Liberation Sans (fonts-liberation), and other fonts
// give other shapes. Inspect the results with --preview before committing.

#include "Glyphs.h"
#include "Indexed.h"
#include "Logo.h"
#include "Pictures.h"
#include "Splash.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace Tessaron::Art;

QString gOut, gPreview;

bool saveBitmap(const QImage& picture, const QString& name, float dither) {
  const QImage indexed = toIndexed256(picture, dither);
  const QString path = QDir(gOut).filePath(name);
  if (!writeBmp8(indexed, path)) {
    std::fprintf(stderr, "tessaron-artgen: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  if (!gPreview.isEmpty()) {
    const QImage back(path);  // read back: shows the file exactly as stored
    back.save(QDir(gPreview).filePath(name.section('.', 0, 0) + QStringLiteral(".png")));
  }
  return true;
}

QImage renderLogo(const QByteArray& svg, QSize size, QColor background) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  QSvgRenderer renderer(svg);
  QPainter p(&image);
  renderer.render(&p);
  return image;
}

// A rough stand-in of a dialog: grey face, pictures, a bevelled panel with blue
// text lines and an OK button, to judge how the pictures work together.
struct MockLabel {
  int x, y;
  const char* text;
};

void drawMockPanel(QPainter& p, QRect r, const std::vector<MockLabel>& labels) {
  p.fillRect(r, QColor(192, 192, 192));
  p.setPen(QColor(128, 128, 128));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(Qt::white);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(10);
  p.setFont(f);
  p.setPen(Qt::blue);
  for (const MockLabel& l : labels) p.drawText(r.left() + l.x, r.top() + l.y + 10, QString::fromUtf8(l.text));
}

void drawMockButton(QPainter& p, QRect r) {
  p.fillRect(r, QColor(192, 192, 192));
  p.setPen(Qt::black);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.setPen(Qt::darkGreen);
  p.drawText(r, Qt::AlignCenter, QStringLiteral("✓ OK"));
}

void writeMockups() {
  const QDir dir(gOut), pre(gPreview);
  if (QFile::exists(dir.filePath(QStringLiteral("gpib_bus.bmp")))) {
    QImage w(560, 370, QImage::Format_RGB32);
    w.fill(QColor(192, 192, 192));
    QPainter p(&w);
    p.drawImage(24, 232, QImage(dir.filePath(QStringLiteral("gpib_card.bmp"))));
    p.drawImage(8, 14, QImage(dir.filePath(QStringLiteral("gpib_bus.bmp"))));
    p.drawImage(232, 62, QImage(dir.filePath(QStringLiteral("gpib_instrument.bmp"))));
    drawMockPanel(p, QRect(159, 152, 353, 153),
                  {{8, 16, "Die DUder Komponente bietet Ihnen einfachen und schnellen Zugriff"},
                   {8, 32, "auf den GPIB (IEEE-488) Bus. Die meisten der am Markt befindlichen"},
                   {8, 48, "programmierbaren Meßgeräte, bieten Ihnen heutzutage diesen Bus."},
                   {8, 72, "DUder ist momentan (April 1996) nur für die 16-Bit Version von Delphi"},
                   {8, 88, "verfügbar. An der 32-Bit Version wird jedoch gearbeitet."},
                   {8, 112, "Fragen Sie uns nach den neuesten Entwicklungen !"}});
    drawMockButton(p, QRect(464, 336, 89, 25));
    p.end();
    w.save(pre.filePath(QStringLiteral("mock_VAzaz1_Demo.png")));
  }
  if (QFile::exists(dir.filePath(QStringLiteral("rs232.bmp")))) {
    QImage w(560, 370, QImage::Format_RGB32);
    w.fill(QColor(192, 192, 192));
    QPainter p(&w);
    p.drawImage(0, 0, QImage(dir.filePath(QStringLiteral("rs232.bmp"))));
    drawMockPanel(p, QRect(72, 240, 313, 113),
                  {{8, 16, "Die Communications Library 2 bietet Ihnen einfachste Befehle"},
                   {8, 32, "für die Ansteuerung von Meßgeräten über die RS-232 "},
                   {8, 48, "Schnittstelle. Die VAzaz Komponente unterstützt Baudraten"},
                   {8, 64, "bis 56000 Baud."}});
    drawMockButton(p, QRect(464, 336, 89, 25));
    p.end();
    w.save(pre.filePath(QStringLiteral("mock_VAzaz2_Demo.png")));
  }
  if (QFile::exists(dir.filePath(QStringLiteral("hersteller_logo.svg")))) {
    QFile f(dir.filePath(QStringLiteral("hersteller_logo.svg")));
    f.open(QIODevice::ReadOnly);
    const QByteArray svg = f.readAll();
    QImage w(461, 337, QImage::Format_RGB32);
    w.fill(QColor(192, 192, 192));
    QPainter p(&w);
    p.drawImage(192, 16, renderLogo(svg, QSize(257, 121), QColor(192, 192, 192)));
    const QColor lamps[3] = {Qt::red, Qt::green, Qt::yellow};
    for (int i = 0; i < 3; ++i) {
      p.setBrush(lamps[i]);
      p.setPen(QColor(128, 128, 128));
      p.drawEllipse(48 + 40 * i, 64, 17, 17);
    }
    drawMockPanel(p, QRect(8, 148, 337, 185),
                  {{16, 16, "Rufen Sie uns an, wenn Sie technische Fragen zu den Produkten"},
                   {16, 32, "der Tessaron Serie haben. Wir geben Ihnen gerne Auskunft."},
                   {16, 56, "Velmar Softwaretechnik"}});
    drawMockButton(p, QRect(357, 308, 89, 25));
    p.end();
    w.save(pre.filePath(QStringLiteral("mock_THersteller_Demo.png")));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts need a GUI application
  QString only;
  QString glyphs;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--preview") && i + 1 < args.size())
      gPreview = args[++i];
    else if (args[i] == QLatin1String("--only") && i + 1 < args.size())
      only = args[++i];
    else if (args[i] == QLatin1String("--glyphs") && i + 1 < args.size())
      glyphs = args[++i];
    else if (!args[i].startsWith(QLatin1String("--")) && gOut.isEmpty())
      gOut = args[i];
    else {
      std::fprintf(stderr, "usage: tessaron-artgen [--preview DIR] [--only splash|logo|gpib|rs232] OUTDIR\n");
      return 2;
    }
  }
  if (gOut.isEmpty()) {
    std::fprintf(stderr, "usage: tessaron-artgen [--preview DIR] [--only splash|logo|gpib|rs232] OUTDIR\n");
    return 2;
  }
  QDir().mkpath(gOut);
  if (!gPreview.isEmpty()) QDir().mkpath(gPreview);
  auto wanted = [&](const char* name) { return only.isEmpty() || only == QLatin1String(name); };

  bool ok = true;
  if (wanted("splash")) ok &= saveBitmap(renderSplash(1024, 768), QStringLiteral("TSRN0120.BMP"), 7.0f);
  if (wanted("logo")) {
    const QByteArray svg = makerLogoSvg();
    const QString path = QDir(gOut).filePath(QStringLiteral("hersteller_logo.svg"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(svg) == svg.size()) {
      std::printf("%s\n", qPrintable(path));
      if (!gPreview.isEmpty())
        renderLogo(svg, QSize(514, 242), Qt::white).save(QDir(gPreview).filePath(QStringLiteral("hersteller_logo.png")));
    } else {
      std::fprintf(stderr, "tessaron-artgen: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  if (wanted("gpib")) {
    ok &= saveBitmap(drawGpibBus(), QStringLiteral("gpib_bus.bmp"), 3.0f);
    ok &= saveBitmap(drawGpibInstrument(), QStringLiteral("gpib_instrument.bmp"), 3.0f);
    ok &= saveBitmap(drawGpibCard(), QStringLiteral("gpib_card.bmp"), 3.0f);
  }
  if (wanted("rs232")) ok &= saveBitmap(drawRs232(), QStringLiteral("rs232.bmp"), 3.0f);
  if (!glyphs.isEmpty()) {
    QDir().mkpath(glyphs);
    for (const auto& [name, image] : drawGlyphs()) {
      const QString path = QDir(glyphs).filePath(name + QStringLiteral(".png"));
      if (image.convertToFormat(QImage::Format_Indexed8).save(path)) {
        std::printf("%s\n", qPrintable(path));
      } else {
        std::fprintf(stderr, "tessaron-artgen: cannot write %s\n", qPrintable(path));
        ok = false;
      }
    }
    if (only == QLatin1String("glyphs")) return ok ? EXIT_SUCCESS : EXIT_FAILURE;
  }
  if (!gPreview.isEmpty()) writeMockups();
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
