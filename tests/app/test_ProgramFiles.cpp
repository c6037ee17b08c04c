// The files the demonstration program ships beside itself: the start
// picture, the pictures of the information windows, the maker's logo, the
// manual and the data sheets, and the contact data they share.

#include <app/Contact.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QString>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QString dataFile(const char* name) {
  return QStringLiteral(TESSARON_SOURCE_DIR "/app/data/") + QString::fromLatin1(name);
}

QByteArray readAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

struct BitmapCase {
  const char* name;
  int width, height;
};

class ShippedBitmap : public ::testing::TestWithParam<BitmapCase> {};

// Every bitmap is a plain Windows bitmap with 8 bits per pixel and a full
// 256-entry palette, as the classic picture loader expects, and loads back
// at its window's size.
TEST_P(ShippedBitmap, IsEightBitWithFullPaletteAtItsSize) {
  const BitmapCase c = GetParam();
  const QByteArray b = readAll(dataFile(c.name));
  ASSERT_GE(b.size(), 54 + 1024) << c.name;
  EXPECT_EQ(b.left(2), QByteArray("BM"));
  const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
  const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
  const auto s32 = [&](int at) { return qFromLittleEndian<qint32>(b.constData() + at); };
  EXPECT_EQ(u32(2), quint32(b.size()));        // bfSize
  EXPECT_EQ(u32(10), quint32(54 + 256 * 4));   // pixels follow the palette
  EXPECT_EQ(u32(14), 40u);                     // BITMAPINFOHEADER
  EXPECT_EQ(s32(18), c.width);
  EXPECT_EQ(s32(22), c.height);                // positive: bottom-up rows
  EXPECT_EQ(u16(28), 8);                       // biBitCount
  EXPECT_EQ(u32(30), 0u);                      // uncompressed
  EXPECT_EQ(u32(46), 256u);                    // biClrUsed
  const int stride = (c.width + 3) & ~3;
  EXPECT_EQ(b.size(), 54 + 1024 + stride * c.height);

  QImage image;
  ASSERT_TRUE(image.load(dataFile(c.name))) << c.name;
  EXPECT_EQ(image.size(), QSize(c.width, c.height));
  EXPECT_EQ(image.format(), QImage::Format_Indexed8);
}

INSTANTIATE_TEST_SUITE_P(AppData, ShippedBitmap,
                         ::testing::Values(BitmapCase{"TSRN0120.BMP", 1024, 768}, BitmapCase{"gpib_bus.bmp", 320, 200},
                                           BitmapCase{"gpib_instrument.bmp", 320, 100},
                                           BitmapCase{"gpib_card.bmp", 320, 100}, BitmapCase{"rs232.bmp", 561, 302}),
                         [](const auto& info) {
                           QString n = QString::fromLatin1(info.param.name).section(QLatin1Char('.'), 0, 0);
                           return n.toStdString();
                         });

// The start picture: dark blue at the top and in the lower corners, gold
// lettering across the middle, and a faded (darker) mirror image below it.
TEST(StartPicture, DarkBlueBackgroundGoldLetteringFadedReflection) {
  const QImage image = QImage(dataFile("TSRN0120.BMP")).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(1024, 768));
  for (const QPoint p : {QPoint(5, 5), QPoint(1018, 5), QPoint(512, 20), QPoint(5, 600), QPoint(1018, 600)}) {
    const QColor c = image.pixelColor(p);
    EXPECT_GT(c.blue(), c.red()) << p.x() << "," << p.y();
    EXPECT_GT(c.blue(), c.green()) << p.x() << "," << p.y();
    EXPECT_LT(c.value(), 140) << p.x() << "," << p.y();
  }
  auto goldIn = [&](int top, int bottom) {
    int gold = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 150 && c.green() > 90 && c.blue() < c.green() - 30) ++gold;
      }
    return gold;
  };
  const int lettering = goldIn(280, 470), reflection = goldIn(480, 680);
  EXPECT_GT(lettering, 20000);      // bright gold where the name stands
  EXPECT_LT(reflection, lettering / 4);  // the mirror image is faded
}

// The maker's logo is an SVG picture meant to be stretched into 257 x 121.
TEST(MakerLogo, IsAnSvgOf257By121WithVisibleContent) {
  const QByteArray svg = readAll(dataFile("hersteller_logo.svg"));
  ASSERT_FALSE(svg.isEmpty());
  EXPECT_TRUE(svg.contains("viewBox=\"0 0 257 121\""));
  QImageReader reader(dataFile("hersteller_logo.svg"));
  if (!reader.canRead()) GTEST_SKIP() << "no SVG image plugin on this machine";
  const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(image.size(), QSize(257, 121));
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 200;
  EXPECT_GT(opaque, 257 * 121 / 8);
  EXPECT_LT(opaque, 257 * 121);  // transparent around the tile and lettering
}

// The contact values are invented but well formed, and the manual prints
// exactly the values the program shows.
TEST(Documents, ContactDataWellFormedAndRepeatedAndEveryComponentAndMenuEntryCovered) {
  using namespace Tessaron::Demo;
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{5,6},\\d{3,4}$")).match(QString::fromUtf8(kCompuServe)).hasMatch());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[a-z]+$")).match(QString::fromUtf8(kEmail)).hasMatch());
  EXPECT_TRUE(QString::fromUtf8(kTown).contains(QString::fromUtf8(kPostcode)));
  EXPECT_TRUE(QString::fromUtf8(kTown).contains(QString::fromUtf8(kCity)));

  const QString manual = QString::fromUtf8(readAll(dataFile("TSRN32.html")));
  const QString sheets = QString::fromUtf8(readAll(dataFile("DATEN.html")));
  ASSERT_FALSE(manual.isEmpty());
  for (const char* value : {kCompany, kStreet, kTown, kPhone, kFax, kCompuServe, kEmail})
    EXPECT_TRUE(manual.contains(QString::fromUtf8(value))) << value;
  for (const char* value : {kCompany, kStreet, kTown, kPhone})
    EXPECT_TRUE(sheets.contains(QString::fromUtf8(value))) << value;

  // Both documents are UTF-8 HTML and cover every component of the library;
  // the manual also lists every menu entry of the program.
  for (const QString* doc : {&manual, &sheets}) {
    EXPECT_TRUE(doc->contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_FALSE(doc->contains(QChar::ReplacementCharacter));
    for (const char* name : {"TLed", "TDial", "TMeter", "TSlider", "TBarGraph", "TPanelMeter", "TStripChart",
                             "THistograph", "TVector", "TComplexVector", "TFFT", "TRCLowpass", "TRCHighpass",
                             "TIIRFilter", "TStateVariableFilter"})
      EXPECT_TRUE(doc->contains(QString::fromLatin1(name))) << name;
  }
  QString plain = manual;
  plain.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
  for (const char* entry :
       {"Vavozivider Odavode", "Potentiometer (TDial)", "Schieberegler (TSlider)", "LCD Anzeige (TPanelMeter)",
        "Yt-Anzeige (THistograph)", "XY-Anzeige (THistograph)", "8-Kanal Schreiber (TStripchart)", "Led (TLed)",
        "Datenlogger (TFastlog)", "Analoginstrument (TMeter)", "Bargraph (TBargraph)", "Scientific Library",
        "Autokorrelation", "Kreuzkorrelation", "Fourier Transformation", "Leistungsdichte", "Kreuzleistungsdichte",
        "Filter Library", "RC Hochpaß", "RC Tiefpaß", "IIR Filter", "State variable Filter", "Communications Library",
        "GPIB Kommunikation", "RS-232 Kommunikation", "Bildhintergrund", "Beenden", "Handbuch aufrufen", "Hersteller",
        "Datenblätter", "Über dieses Demo"})
    EXPECT_TRUE(plain.contains(QString::fromUtf8(entry))) << entry;
}

}  // namespace
