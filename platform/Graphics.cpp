#include "platform/Graphics.h"
#include "platform/ImageBounds.h"
#include "platform/SysUtils.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMetaEnum>
#include <QSvgRenderer>
#include <QTextLayout>

#include <cmath>
#include <cstring>
#include <limits>

namespace Tessaron {

// ---------------------------------------------------------------- colours

namespace {

// The classic default scheme: every machine resolves system colours alike.
constexpr std::array<std::uint32_t, 25> kSystemColors = {
    0xC0C0C0, // scroll bar
    0x808000, // desktop background
    0x800000, // active caption
    0x808080, // inactive caption
    0xC0C0C0, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC0C0C0, // active border
    0xC0C0C0, // inactive border
    0x808080, // application workspace
    0x800000, // highlight
    0xFFFFFF, // highlight text
    0xC0C0C0, // button face
    0x808080, // button shadow
    0x808080, // grey text
    0x000000, // button text
    0xC0C0C0, // inactive caption text
    0xFFFFFF, // button highlight
    0x000000, // 3-D dark shadow
    0xC0C0C0, // 3-D light
    0x000000, // tooltip text
    0xE1FFFF, // tooltip background
};

} // namespace

bool IsSystemColor(TColor Color)
{
    return (std::uint32_t(Color) & 0xFF000000u) == 0x80000000u;
}

TColor ColorToRGB(TColor Color)
{
    if (IsSystemColor(Color)) {
        const std::uint32_t index = std::uint32_t(Color) & 0xFFu;
        return index < kSystemColors.size() ? TColor(kSystemColors[index]) : clBlack;
    }
    if (Color == clNone || Color == clDefault)
        return clBlack;
    return TColor(std::uint32_t(Color) & 0x00FFFFFFu);
}

QRgb ColorToQRgb(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

QColor ColorToQColor(TColor Color)
{
    return QColor::fromRgb(ColorToQRgb(Color));
}

TColor QRgbToColor(QRgb Rgb)
{
    return RGB(qRed(Rgb), qGreen(Rgb), qBlue(Rgb));
}

TFontStyles FontStylesOf(const QFont& Font)
{
    TFontStyles style;
    if (Font.bold())
        style |= fsBold;
    if (Font.italic())
        style |= fsItalic;
    if (Font.underline())
        style |= fsUnderline;
    if (Font.strikeOut())
        style |= fsStrikeOut;
    return style;
}

const std::array<TColor, 20>& DefaultSystemPalette()
{
    static const std::array<TColor, 20> palette = {
        RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128),
        RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
        RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),
        RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    return palette;
}

QString ColorToString(TColor Color)
{
    const QMetaEnum e = QMetaEnum::fromType<TColor>();
    if (const char* key = e.valueToKey(int(Color)))
        return QString::fromLatin1(key);
    return QStringLiteral("$%1").arg(std::uint32_t(Color), 8, 16, QLatin1Char('0')).toUpper();
}

bool IdentToColor(const QString& Ident, TColor* Color)
{
    const QMetaEnum e = QMetaEnum::fromType<TColor>();
    bool ok = false;
    const int v = e.keyToValue(Ident.toLatin1().constData(), &ok);
    if (ok && Color)
        *Color = TColor(v);
    return ok;
}

// ---------------------------------------------------------------- tools

void TPen::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value)
{
    if (Value < 0 || FWidth == Value)
        return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (!IsEnumValue(Value) || FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (!IsEnumValue(Value) || FMode == Value)
        return;
    FMode = Value;
    Changed();
}

void TPen::Assign(const TPersistent* Source)
{
    if (auto* p = qobject_cast<const TPen*>(Source)) {
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        Changed();
    }
}

void TBrush::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (!IsEnumValue(Value) || FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TBrush::Assign(const TPersistent* Source)
{
    if (auto* b = qobject_cast<const TBrush*>(Source)) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        Changed();
    }
}

namespace {

struct TFontSubstitute {
    const char* Classic;
    const char* Installed;
    int Spacing; // percent of the installed face's advances
};

const TFontSubstitute* FindSubstitute(const QString& Name)
{
    // Measured against the classic windows: with MS Sans Serif drawn at full
    // Liberation Sans advances, the longest lines of the demonstration windows
    // (80 characters in 407 pixels) ran into their frames.
    static const TFontSubstitute table[] = {
        {"Arial", "Liberation Sans", 100},
        {"Helvetica", "Liberation Sans", 100},
        {"MS Sans Serif", "Liberation Sans", 97},
        {"Microsoft Sans Serif", "Liberation Sans", 100},
        {"System", "DejaVu Sans", 100},
        {"Symbol", "DejaVu Sans", 100},
        {"Times New Roman", "Liberation Serif", 100},
        {"MS Serif", "Liberation Serif", 100},
        {"Courier New", "Liberation Mono", 100},
        {"Courier", "Liberation Mono", 100},
    };
    for (const TFontSubstitute& s : table)
        if (Name.compare(QLatin1String(s.Classic), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

} // namespace

QString SubstituteFontName(const QString& Name)
{
    const TFontSubstitute* s = FindSubstitute(Name);
    return s ? QString::fromLatin1(s->Installed) : Name;
}

int SubstituteFontSpacing(const QString& Name)
{
    const TFontSubstitute* s = FindSubstitute(Name);
    return s ? s->Spacing : 100;
}

void TFont::SetName(const QString& Value)
{
    if (FName == Value || Value.isEmpty())
        return;
    FName = Value;
    FCache.reset();
    Changed();
}

void TFont::SetHeight(int Value)
{
    Value = std::clamp(Value, -MaxFontHeight, MaxFontHeight);
    if (FHeight == Value)
        return;
    FHeight = Value;
    FCache.reset();
    Changed();
}

int TFont::Size() const
{
    // Size = -Height * 72 / PixelsPerInch, rounded half away from zero.
    const int num = -FHeight * 72;
    const int den = PixelsPerInch();
    return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

void TFont::SetSize(int Value)
{
    const qint64 num = qint64(std::clamp(Value, -MaxFontHeight, MaxFontHeight)) * PixelsPerInch();
    SetHeight(int(-(num >= 0 ? (num + 36) / 72 : -((-num + 36) / 72))));
}

void TFont::SetStyle(TFontStyles Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    FCache.reset();
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (FPitch == Value)
        return;
    FPitch = Value;
    FCache.reset();
    Changed();
}

void TFont::SetOrientation(int Value)
{
    if (FOrientation == Value)
        return;
    FOrientation = Value;
    Changed();
}

void TFont::Assign(const TPersistent* Source)
{
    if (auto* f = qobject_cast<const TFont*>(Source)) {
        // Fonts of one shape share the Qt font and what was measured with it
        // (a canvas is given a control's font at every paint).
        if (FName != f->FName || FHeight != f->FHeight || FStyle != f->FStyle || FPitch != f->FPitch || !FCache)
            FCache = f->FCache;
        else if (!f->FCache)
            f->FCache = FCache;
        FName = f->FName;
        FHeight = f->FHeight;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FPitch = f->FPitch;
        FOrientation = f->FOrientation;
        Changed();
    }
}

QFont TFont::ToQFont() const
{
    return QtFont().Font;
}

const QFontMetrics& TFont::Metrics() const
{
    return QtFont().Metrics;
}

int TFont::TextWidth(const QString& Text) const
{
    const TQtFont& q = QtFont();
    // Short texts (labels, captions, numbers) are remembered, at most a few
    // hundred of them.
    constexpr qsizetype MaxKeptLength = 64;
    constexpr qsizetype MaxKept = 512;
    if (Text.size() > MaxKeptLength)
        return q.Metrics.horizontalAdvance(Text);
    if (const auto it = q.Widths.constFind(Text); it != q.Widths.cend())
        return *it;
    if (q.Widths.size() >= MaxKept)
        q.Widths.clear();
    int w = AddedWidth(q, Text);
    if (w < 0)
        w = q.Metrics.horizontalAdvance(Text);
    q.Widths.insert(Text, w);
    return w;
}

// A new number or time (a label, a caption) is measured and drawn without
// laying it out: from its characters' widths and glyphs. That holds for a text
// of Latin-1 characters that the font draws itself, each a whole number of
// pixels wide, where each pair of neighbours is laid out as the two glyphs
// side by side (no kerning, ligature or other font between them). -1 when it
// does not hold; the text must then be laid out as a whole.
int TFont::AddedWidth(const TQtFont& Q, const QString& Text, QList<QPointF>* Positions, QList<quint32>* Glyphs)
{
    if (Text.size() < 2)
        return -1;
    if (!Q.Raw)
        Q.Raw = QRawFont::fromFont(Q.Font);
    if (!Q.Raw->isValid())
        return -1;
    // A character's width and glyph, looked up once: false when unusable.
    const auto character = [&](char16_t C, int& Width, quint32& Glyph) {
        qint32& glyph = Q.CharGlyphs[C];
        qint16& width = Q.CharWidths[C];
        if (glyph == 0) {
            const QChar c(C);
            const QList<quint32> g = Q.Raw->supportsCharacter(c) ? Q.Raw->glyphIndexesForString(QString(c)) : QList<quint32>();
            const qreal w = QFontMetricsF(Q.Font).horizontalAdvance(QString(c));
            const bool usable = g.size() == 1 && g[0] != 0 && g[0] < 0x7FFFFFFF && w >= 0 && w < 16384 && w == std::floor(w);
            glyph = usable ? qint32(g[0] + 1) : -1;
            width = usable ? qint16(w) : 0;
        }
        Width = width;
        Glyph = quint32(glyph - 1);
        return glyph > 0;
    };
    // Whether A and B laid out together are their two glyphs side by side.
    const auto pairAdds = [&](char16_t A, char16_t B, int WA, int WB, quint32 GA, quint32 GB) {
        QTextLayout layout(QString(QChar(A)) + QChar(B), Q.Font);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        if (!line.isValid() || line.naturalTextWidth() != WA + WB)
            return false;
        const QList<QGlyphRun> runs = layout.glyphRuns();
        if (runs.size() != 1 || runs[0].rawFont() != *Q.Raw)
            return false;
        const QList<quint32> g = runs[0].glyphIndexes();
        const QList<QPointF> p = runs[0].positions();
        return g == QList<quint32>{GA, GB} && p.size() == 2 && p[1].x() - p[0].x() == WA && p[0].y() == p[1].y();
    };
    int sum = 0;
    char16_t previous = 0;
    int previousWidth = 0;
    quint32 previousGlyph = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char16_t c = Text[i].unicode();
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xAD || c > 0xFF)
            return -1;
        int w = 0;
        quint32 g = 0;
        if (!character(c, w, g))
            return -1;
        if (i > 0) {
            const quint16 key = quint16(previous * 256 + c);
            auto it = Q.Pairs.constFind(key);
            if (it == Q.Pairs.cend())
                it = Q.Pairs.insert(key, pairAdds(previous, c, previousWidth, w, previousGlyph, g));
            if (!*it)
                return -1;
        }
        if (Positions)
            Positions->append(QPointF(sum, 0));
        if (Glyphs)
            Glyphs->append(g);
        sum += w;
        previous = c;
        previousWidth = w;
        previousGlyph = g;
    }
    return sum;
}

bool TFont::Glyphs(const QString& Text, QGlyphRun& Run) const
{
    if (FStyle.testFlag(fsUnderline) || FStyle.testFlag(fsStrikeOut))
        return false;
    const TQtFont& q = QtFont();
    QList<QPointF> positions;
    QList<quint32> glyphs;
    if (AddedWidth(q, Text, &positions, &glyphs) < 0)
        return false;
    Run.setRawFont(*q.Raw);
    Run.setGlyphIndexes(glyphs);
    Run.setPositions(positions);
    return true;
}

bool TFont::GlyphPixels(const QString& Text, std::vector<std::pair<int, const std::vector<TPixelRun>*>>& Pieces) const
{
    Pieces.clear();
    Pieces.reserve(size_t(Text.size()));
    if (FStyle.testFlag(fsUnderline) || FStyle.testFlag(fsStrikeOut))
        return false;
    const TQtFont& q = QtFont();
    QList<QPointF> positions;
    if (AddedWidth(q, Text, &positions) < 0)
        return false;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char16_t c = Text[i].unicode();
        qint8& state = q.MaskStates[c];
        if (state == 0)
            state = GlyphMask(q, c, q.Masks[c]) ? 1 : -1;
        if (state < 0)
            return false;
        Pieces.emplace_back(int(positions[i].x()), &q.Masks[c]);
    }
    return true;
}

bool TFont::GlyphMask(const TQtFont& Q, char16_t C, std::vector<TPixelRun>& Runs)
{
    // The glyph drawn alone in black on white, with room around its bounds:
    // every pixel it touches must come out black (no smoothing) and lie
    // inside the room's border.
    const QList<quint32> g = Q.Raw->glyphIndexesForString(QString(QChar(C)));
    if (g.size() != 1)
        return false;
    const QRectF bounds = Q.Raw->boundingRect(g[0]);
    const qreal limit = 4096;
    if (!(std::abs(bounds.left()) < limit && std::abs(bounds.top()) < limit && bounds.width() < limit
            && bounds.height() < limit))
        return false;
    const int room = 3 + int(bounds.height()) / 2;
    const int left = int(std::floor(bounds.left())) - room, top = int(std::floor(bounds.top())) - room;
    const int w = int(std::ceil(bounds.right())) + room + 1 - left, h = int(std::ceil(bounds.bottom())) + room + 1 - top;
    if (qint64(w) * h > (qint64(1) << 20)) // a giant glyph is left to Qt
        return false;
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setPen(Qt::black);
        QGlyphRun run;
        run.setRawFont(*Q.Raw);
        run.setGlyphIndexes(g);
        run.setPositions({QPointF(0, 0)});
        p.drawGlyphRun(QPointF(-left, -top), run);
    }
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w;) {
            const QRgb px = row[x] & 0xFFFFFF;
            if (px == 0xFFFFFF) {
                ++x;
                continue;
            }
            if (px != 0 || x == 0 || y == 0 || y == h - 1)
                return false;
            int end = x;
            while (end < w && (row[end] & 0xFFFFFF) == 0)
                ++end;
            if (end == w)
                return false;
            Runs.push_back({qint16(y + top), qint16(x + left), qint16(end + left)});
            x = end;
        }
    }
    return true;
}

const TFont::TQtFont& TFont::QtFont() const
{
    if (FCache)
        return *FCache;
    QFont f(SubstituteFontName(FName));
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    f.setHintingPreference(QFont::PreferFullHinting);
    if (const int spacing = SubstituteFontSpacing(FName); spacing != 100)
        f.setLetterSpacing(QFont::PercentageSpacing, spacing);
    f.setBold(FStyle.testFlag(fsBold));
    f.setItalic(FStyle.testFlag(fsItalic));
    f.setUnderline(FStyle.testFlag(fsUnderline));
    f.setStrikeOut(FStyle.testFlag(fsStrikeOut));
    if (FPitch == fpFixed)
        f.setFixedPitch(true);
    if (FHeight < 0) {
        f.setPixelSize(-FHeight);
    } else if (FHeight > 0) {
        // A positive height is the cell height: scale the em size so that
        // ascent + descent come out at Height.
        f.setPixelSize(FHeight);
        const int cell = QFontMetrics(f).height();
        if (cell > 0 && cell != FHeight)
            f.setPixelSize(std::max(1, int(std::lround(double(FHeight) * FHeight / cell))));
    } else {
        f.setPixelSize(11);
    }
    FCache = std::make_shared<const TQtFont>(TQtFont{f, QFontMetrics(f), {}, {}, {}, {}, {}, {}, {}});
    return *FCache;
}

// ---------------------------------------------------------------- canvas

namespace {

QPainter::CompositionMode PenModeToComposition(TPenMode Mode)
{
    switch (Mode) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmNop:
    case pmCopy:
    default: return QPainter::CompositionMode_SourceOver;
    }
}

QPainter::CompositionMode CopyModeToComposition(TCopyMode Mode)
{
    switch (Mode) {
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    case cmDstInvert: return QPainter::RasterOp_NotDestination;
    case cmBlackness: return QPainter::RasterOp_ClearDestination;
    case cmWhiteness: return QPainter::RasterOp_SetDestination;
    case cmSrcCopy:
    default: return QPainter::CompositionMode_Source;
    }
}

// Angle in Qt's sixteenths of a degree, counter-clockwise from three o'clock,
// of the radial line from the centre through (X, Y).
double RadialAngle(double CX, double CY, int X, int Y)
{
    return std::atan2(-(Y - CY), X - CX) * 180.0 / M_PI;
}

QRect BoundsOf(const TPoint* Points, int Count)
{
    if (Count <= 0)
        return {};
    int l = Points[0].x(), r = l, t = Points[0].y(), b = t;
    for (int i = 1; i < Count; ++i) {
        l = std::min(l, Points[i].x());
        r = std::max(r, Points[i].x());
        t = std::min(t, Points[i].y());
        b = std::max(b, Points[i].y());
    }
    return QRect(QPoint(l, t), QPoint(r, b));
}

} // namespace

// The steep runs of a solid copy-mode polyline, gathered per column before
// they are written: a curve with more samples than columns crosses the same
// pixels of a column several times (down to its lowest sample, up to its
// highest, on to the next column), and the pixels of one colour may be
// written in any order. Consecutive runs of a connected curve in one column
// touch, so a column mostly holds one span, written once.
struct TColumnSpans {
    int Left = 0;
    std::vector<std::pair<int, int>> Spans; // top and bottom per column; top > bottom: none
    std::vector<int> Used;
    QRgb* Bits = nullptr;
    qsizetype Row = 0; // pixels per row
    QRgb Pen = 0;

    void Begin(const QRect& Clip, uchar* ABits, qsizetype Stride, QRgb APen)
    {
        for (int c : Used) // left over if a polyline was cut short
            Spans[size_t(c)] = {1, 0};
        Used.clear();
        Left = Clip.left();
        if (Spans.size() < size_t(Clip.width()))
            Spans.resize(size_t(Clip.width()), {1, 0});
        Bits = reinterpret_cast<QRgb*>(ABits);
        Row = Stride / qsizetype(sizeof(QRgb));
        Pen = APen;
    }
    void Write(int Column) const
    {
        const auto [top, bottom] = Spans[size_t(Column)];
        QRgb* px = Bits + qsizetype(top) * Row + Left + Column;
        for (int y = top; y <= bottom; ++y, px += Row)
            *px = Pen;
    }
    void Add(int X, int Top, int Bottom)
    {
        const int c = X - Left;
        auto& s = Spans[size_t(c)];
        if (s.first > s.second)
            Used.push_back(c);
        else if (Top <= s.second + 1 && Bottom >= s.first - 1) {
            s = {std::min(s.first, Top), std::max(s.second, Bottom)};
            return;
        } else
            Write(c);
        s = {Top, Bottom};
    }
    void Finish()
    {
        for (int c : Used) {
            Write(c);
            Spans[size_t(c)] = {1, 0};
        }
        Used.clear();
    }
};

TCanvas::TCanvas(QImage* Image, QObject* Parent)
    : TPersistent(Parent), FImage(Image), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>())
{
    FFont->SetColor(clBlack);
}

TCanvas::~TCanvas()
{
    Flush();
}

void TCanvas::SetImage(QImage* Image)
{
    Flush();
    FImage = Image;
}

void TCanvas::Flush() const
{
    if (FPainter) {
        FPainter->end();
        FPainter.reset();
    }
}

void TCanvas::PrepareDirect() const
{
    // The painter draws straight into the image's memory, so pixels written
    // directly meet what it drew; only a shared image, whose memory the next
    // write would copy, has to see the painter end first.
    if (FPainter && FImage && !FImage->isDetached())
        Flush();
}

QPainter& TCanvas::P() const
{
    if (!FPainter) {
        FPainter = std::make_unique<QPainter>(FImage);
        FPainter->setRenderHint(QPainter::Antialiasing, false);
        FPainter->setRenderHint(QPainter::TextAntialiasing, false);
    }
    QPainter& p = *FPainter;
    if (FClip)
        p.setClipRegion(*FClip);
    else
        p.setClipping(false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return p;
}

QRect TCanvas::Bounds() const
{
    return FImage ? FImage->rect() : QRect();
}

void TCanvas::Touched(const QRect& R) const
{
    if (!OnChanged)
        return;
    QRect r = R & Bounds();
    if (FClip)
        r &= FClip->boundingRect();
    if (!r.isEmpty())
        OnChanged(r);
}

bool TCanvas::PenVisible() const
{
    return FPen->Style() != psClear && FPen->Mode() != pmNop;
}

bool TCanvas::BrushVisible() const
{
    return FBrush->Style() != bsClear;
}

void TCanvas::ApplyPen(QPainter& Painter) const
{
    if (!PenVisible()) {
        Painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ColorToQColor(FPen->Color()));
    const int w = std::max(1, FPen->Width());
    if (w == 1) {
        pen.setWidth(1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        switch (FPen->Style()) {
        case psDash: pen.setDashPattern({18, 6}); break;
        case psDot: pen.setDashPattern({3, 3}); break;
        case psDashDot: pen.setDashPattern({9, 6, 3, 6}); break;
        case psDashDotDot: pen.setDashPattern({9, 3, 3, 3, 3, 3}); break;
        default: break;
        }
    } else {
        // Wide pens are geometric and always solid, with round ends.
        pen.setWidth(w);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    Painter.setPen(pen);
    Painter.setCompositionMode(PenModeToComposition(FPen->Mode()));
}

void TCanvas::ApplyBrush(QPainter& Painter) const
{
    if (!BrushVisible()) {
        Painter.setBrush(Qt::NoBrush);
        return;
    }
    Qt::BrushStyle style = Qt::SolidPattern;
    switch (FBrush->Style()) {
    case bsHorizontal: style = Qt::HorPattern; break;
    case bsVertical: style = Qt::VerPattern; break;
    case bsFDiagonal: style = Qt::FDiagPattern; break;
    case bsBDiagonal: style = Qt::BDiagPattern; break;
    case bsCross: style = Qt::CrossPattern; break;
    case bsDiagCross: style = Qt::DiagCrossPattern; break;
    default: break;
    }
    Painter.setBrush(QBrush(ColorToQColor(FBrush->Color()), style));
}

void TCanvas::MoveTo(int X, int Y)
{
    FPenPos = TPoint(X, Y);
}

namespace {

// The on/off runs of the classic one-pixel pen styles.
const std::vector<int>& DashRuns(TPenStyle Style)
{
    static const std::vector<int> solid;
    static const std::vector<int> dash = {18, 6};
    static const std::vector<int> dot = {3, 3};
    static const std::vector<int> dashDot = {9, 6, 3, 6};
    static const std::vector<int> dashDotDot = {9, 3, 3, 3, 3, 3};
    switch (Style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return solid;
    }
}

// dst := pen (op) dst, for the sixteen binary raster operations.
inline QRgb Mix(TPenMode Mode, QRgb Pen, QRgb Dst)
{
    QRgb r;
    switch (Mode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = 0xFFFFFF; break;
    case pmNop: r = Dst; break;
    case pmNot: r = ~Dst; break;
    case pmNotCopy: r = ~Pen; break;
    case pmMergePenNot: r = Pen | ~Dst; break;
    case pmMaskPenNot: r = Pen & ~Dst; break;
    case pmMergeNotPen: r = ~Pen | Dst; break;
    case pmMaskNotPen: r = ~Pen & Dst; break;
    case pmMerge: r = Pen | Dst; break;
    case pmNotMerge: r = ~(Pen | Dst); break;
    case pmMask: r = Pen & Dst; break;
    case pmNotMask: r = ~(Pen & Dst); break;
    case pmXor: r = Pen ^ Dst; break;
    case pmNotXor: r = ~(Pen ^ Dst); break;
    case pmCopy:
    default: r = Pen; break;
    }
    return r | 0xFF000000u;
}

} // namespace

namespace {

// What every segment of a one-pixel line needs: prepared once per call, so a
// polyline of thousands of segments does not rebuild its clip per segment.
struct TPixelLineSetup {
    QRegion Clip;          // the drawable area (clip region within the image)
    QRect Single;          // the drawable area when it is one rectangle
    bool IsSingle = false;
    QRgb Pen = 0;
    TPenMode Mode = pmCopy;
    const std::vector<int>* Runs = nullptr;
    int Period = 0;
    uchar* Bits = nullptr;
    qsizetype Stride = 0;
    TColumnSpans* Columns = nullptr; // where steep solid runs are gathered, if anywhere
};

TPixelLineSetup MakePixelLineSetup(QImage& Image, const std::optional<QRegion>& Clip, const QRect& Bounds,
    const TPen& Pen)
{
    TPixelLineSetup s;
    s.Clip = Clip ? (*Clip & Bounds) : QRegion(Bounds);
    s.IsSingle = s.Clip.rectCount() <= 1;
    s.Single = s.Clip.boundingRect();
    s.Pen = ColorToQRgb(Pen.Color());
    s.Mode = Pen.Mode();
    s.Runs = &DashRuns(Pen.Style());
    for (int run : *s.Runs)
        s.Period += run;
    s.Bits = Image.bits();
    s.Stride = Image.bytesPerLine();
    return s;
}

// Along a line's major axis, step i has the minor coordinate moved by
// k(i) = floor((2 * DMinor * i + DMajor - 1 + Tie) / (2 * DMajor)) (see
// DrawPixelLine); k never goes back. The first step with k(i) >= K (K > 0).
qint64 FirstStepAt(qint64 K, qint64 DMajor, qint64 DMinor, qint64 Tie)
{
    return (2 * DMajor * K - DMajor + 1 - Tie + 2 * DMinor - 1) / (2 * DMinor);
}

// The runs of steps [First, Last) that share one minor coordinate, starting
// where it has moved K: Run(K, from, to) for each, in order.
template <typename TRun>
void ForEachRun(qint64 First, qint64 Last, qint64 K, qint64 DMajor, qint64 DMinor, qint64 Tie, TRun&& Run)
{
    for (qint64 i = First; i < Last; ++K) {
        const qint64 next = DMinor == 0 ? Last : std::min(Last, FirstStepAt(K + 1, DMajor, DMinor, Tie));
        if (next > i)
            Run(K, i, next);
        i = next;
    }
}

// Bresenham from A, stopping before B.
void DrawPixelLine(const TPixelLineSetup& S, TPoint A, TPoint B, int& Phase)
{
    const QRect box(QPoint(std::min(A.x(), B.x()), std::min(A.y(), B.y())),
        QPoint(std::max(A.x(), B.x()), std::max(A.y(), B.y())));
    // Most lines lie inside one clip rectangle: no test per pixel then.
    bool whole = false;
    if (S.IsSingle)
        whole = S.Single.contains(box);
    else
        for (const QRect& r : S.Clip)
            if (r.contains(box)) {
                whole = true;
                break;
            }
    const qint64 dx = std::abs(qint64(B.x()) - A.x()), dy = std::abs(qint64(B.y()) - A.y());
    const qint64 steps = std::max(dx, dy);
    if (!whole && !S.Clip.boundingRect().intersects(box)) {
        // Entirely outside: only the dash phase moves on.
        if (S.Period > 0)
            Phase = int((Phase + steps) % S.Period);
        return;
    }
    const std::vector<int>& runs = *S.Runs;
    auto plot = [&](int x, int y) {
        if (S.Period > 0) {
            int p = Phase % S.Period;
            ++Phase;
            for (size_t i = 0; i < runs.size(); ++i) {
                if (p < runs[i]) {
                    if (i % 2)
                        return;
                    break;
                }
                p -= runs[i];
            }
        }
        if (!whole && !(S.IsSingle ? S.Single.contains(x, y) : S.Clip.contains(QPoint(x, y))))
            return;
        QRgb* px = reinterpret_cast<QRgb*>(S.Bits + y * S.Stride) + x;
        *px = Mix(S.Mode, S.Pen, *px);
    };
    // Bresenham along the major axis: at step i the major coordinate is
    // Major0 + SMajor * i, the minor one Minor0 + SMinor * k(i) with
    // k(i) = floor((2 * DMinor * i + DMajor - 1 + Tie) / (2 * DMajor)), Tie = 1
    // when a tie steps the minor coordinate (going back along the major axis).
    // Only the steps whose major coordinate lies in the clip box are walked,
    // so a line far longer than the control costs no more than its visible part.
    const bool xMajor = dx >= dy;
    const qint64 dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
    const int major0 = xMajor ? A.x() : A.y(), minor0 = xMajor ? A.y() : A.x();
    const int sMajor = (xMajor ? B.x() > A.x() : B.y() > A.y()) ? 1 : -1;
    const int sMinor = (xMajor ? B.y() > A.y() : B.x() > A.x()) ? 1 : -1;
    const qint64 tie = sMajor < 0 ? 1 : 0;
    qint64 first = 0, last = dMajor;  // the steps walked: [first, last)
    if (!whole) {
        const QRect clip = S.Clip.boundingRect();
        const qint64 lo = xMajor ? clip.left() : clip.top(), hi = xMajor ? clip.right() : clip.bottom();
        const qint64 a = sMajor > 0 ? lo - major0 : major0 - hi, b = sMajor > 0 ? hi - major0 : major0 - lo;
        first = std::clamp<qint64>(a, 0, dMajor);
        last = std::clamp<qint64>(b + 1, first, dMajor);
    }
    // A solid copy-mode line inside the clip, or cut by a single clip
    // rectangle (a curve's column through a strip of the plot): the steps
    // inside it, walked as below and written straight. The minor coordinate
    // Minor0 + SMinor * k(i) never goes back, so the steps whose minor
    // coordinate lies in the clip are one range too; the first step with
    // k(i) >= K is ceil((2 * DMajor * K - DMajor + 1 - Tie) / (2 * DMinor)).
    bool direct = S.Period == 0 && S.Mode == pmCopy && first < last;
    if (direct && !whole) {
        const QRect& c = S.Single;
        const qint64 lo = xMajor ? c.top() : c.left(), hi = xMajor ? c.bottom() : c.right();
        const qint64 ka = sMinor > 0 ? lo - minor0 : minor0 - hi, kb = sMinor > 0 ? hi - minor0 : minor0 - lo;
        constexpr qint64 limit = qint64(1) << 29;
        direct = S.IsSingle && dMajor < limit && std::abs(ka) < limit && std::abs(kb) < limit;
        if (direct) {
            const auto firstStep = [&](qint64 K) {
                return K <= 0 ? 0 : dMinor == 0 ? dMajor : FirstStepAt(K, dMajor, dMinor, tie);
            };
            if (kb < 0)
                return;
            first = std::max(first, firstStep(ka));
            last = std::min(last, firstStep(kb + 1));
            if (first >= last)
                return;
        }
    }
    if (S.Period > 0)
        Phase = int((Phase + first) % S.Period);
    qint64 k = (2 * dMinor * first + dMajor - 1 + tie) / (2 * dMajor);
    qint64 err = 2 * dMinor * (first + 1) - dMajor - 2 * dMajor * k;
    int major = int(major0 + sMajor * first);
    int minor = int(minor0 + sMinor * k);
    if (direct) {
        const QRgb pen = S.Pen | 0xFF000000u;
        const qsizetype row = S.Stride / qsizetype(sizeof(QRgb));
        const qsizetype majorStep = xMajor ? sMajor : sMajor * row;
        const qsizetype minorStep = xMajor ? sMinor * row : sMinor;
        QRgb* px = reinterpret_cast<QRgb*>(S.Bits) + (xMajor ? qsizetype(minor) * row + major
                                                             : qsizetype(major) * row + minor);
        if (xMajor && dMinor == 0) {
            std::fill_n(sMajor > 0 ? px : px - (last - first - 1), last - first, pen);
            return;
        }
        // Lines at least four times as long as they are wide, as runs: a
        // polyline's column runs are gathered, others written at once.
        if (dMajor >= 4 * dMinor && dMajor < (qint64(1) << 28)) {
            if (!xMajor && S.Columns)
                ForEachRun(first, last, k, dMajor, dMinor, tie, [&](qint64 K, qint64 From, qint64 To) {
                    const int y0 = int(major0 + sMajor * From), y1 = int(major0 + sMajor * (To - 1));
                    S.Columns->Add(int(minor0 + sMinor * K), std::min(y0, y1), std::max(y0, y1));
                });
            else
                ForEachRun(first, last, k, dMajor, dMinor, tie, [&](qint64, qint64 From, qint64 To) {
                    for (qint64 i = From; i < To; ++i, px += majorStep)
                        *px = pen;
                    px += minorStep;
                });
            return;
        }
        for (qint64 i = first; i < last; ++i) {
            *px = pen;
            if (err > 0 || (err == 0 && tie)) {
                px += minorStep;
                err -= 2 * dMajor;
            }
            err += 2 * dMinor;
            px += majorStep;
        }
        return;
    }
    for (qint64 i = first; i < last; ++i) {
        if (xMajor)
            plot(major, minor);
        else
            plot(minor, major);
        if (err > 0 || (err == 0 && tie)) {
            minor += sMinor;
            err -= 2 * dMajor;
        }
        err += 2 * dMinor;
        major += sMajor;
    }
    if (S.Period > 0)
        Phase = int((Phase + (dMajor - last)) % S.Period);
}

} // namespace

void TCanvas::PixelLine(TPoint A, TPoint B, int& Phase)
{
    PrepareDirect();
    DrawPixelLine(MakePixelLineSetup(*FImage, FClip, Bounds(), *FPen), A, B, Phase);
}

namespace {

// The rectangle from (L, T) to (R, B) grown by W on every side, held to a
// range in which Qt's rectangle arithmetic cannot overflow.
QRect GrownRect(qint64 L, qint64 T, qint64 R, qint64 B, qint64 W)
{
    static constexpr qint64 limit = qint64(1) << 29;
    const auto held = [](qint64 V) { return int(std::clamp(V, -limit, limit)); };
    return QRect(QPoint(held(L - W), held(T - W)), QPoint(held(R + W), held(B + W)));
}

} // namespace

void TCanvas::LineTo(int X, int Y)
{
    const TPoint from = FPenPos;
    FPenPos = TPoint(X, Y);
    if (!FImage || !PenVisible() || from == FPenPos)
        return;
    const int w = std::max(1, FPen->Width());
    if (w == 1) {
        int phase = 0;
        PixelLine(from, FPenPos, phase);
    } else {
        QPainter& p = P();
        ApplyPen(p);
        p.drawLine(from, FPenPos);
    }
    Touched(GrownRect(std::min(from.x(), X), std::min(from.y(), Y), std::max(from.x(), X), std::max(from.y(), Y), w));
}

void TCanvas::Polyline(const TPoint* Points, int Count)
{
    if (!FImage || Count < 2 || !PenVisible())
        return;
    const int w = std::max(1, FPen->Width());
    if (w == 1) {
        // Segment by segment, each without its end pixel: a vertex is drawn
        // once, so XOR polylines restore exactly.
        PrepareDirect();
        TPixelLineSetup setup = MakePixelLineSetup(*FImage, FClip, Bounds(), *FPen);
        if (setup.Period == 0 && setup.Mode == pmCopy && Count > 2 && !setup.Single.isEmpty()) {
            if (!FColumns)
                FColumns = std::make_unique<TColumnSpans>();
            FColumns->Begin(setup.Single, setup.Bits, setup.Stride, setup.Pen | 0xFF000000u);
            setup.Columns = FColumns.get();
        }
        int phase = 0;
        for (int i = 1; i < Count; ++i)
            if (Points[i - 1] != Points[i])
                DrawPixelLine(setup, Points[i - 1], Points[i], phase);
        if (setup.Columns)
            setup.Columns->Finish();
    } else {
        QPainter& p = P();
        ApplyPen(p);
        p.drawPolyline(Points, Count);
    }
    const QRect bounds = BoundsOf(Points, Count);
    Touched(GrownRect(bounds.left(), bounds.top(), bounds.right(), bounds.bottom(), w));
}

void TCanvas::Polygon(const TPoint* Points, int Count)
{
    if (!FImage || Count < 2)
        return;
    if (BrushVisible()) {
        QPainter& p = P();
        p.setPen(Qt::NoPen);
        ApplyBrush(p);
        // Our points are pixels; Qt fills the pixels whose centres lie inside,
        // so the outline through the pixel centres is the one to fill.
        QPolygonF shape;
        shape.reserve(Count);
        for (int i = 0; i < Count; ++i)
            shape << QPointF(Points[i].x() + 0.5, Points[i].y() + 0.5);
        p.drawPolygon(shape, Qt::OddEvenFill);
    }
    const int w = std::max(1, FPen->Width());
    if (PenVisible()) {
        if (w == 1) {
            PrepareDirect();
            const TPixelLineSetup setup = MakePixelLineSetup(*FImage, FClip, Bounds(), *FPen);
            int phase = 0;
            for (int i = 0; i < Count; ++i) {
                const TPoint& a = Points[i];
                const TPoint& b = Points[(i + 1) % Count];
                if (a != b)
                    DrawPixelLine(setup, a, b, phase);
            }
        } else {
            QPainter& p = P();
            p.setBrush(Qt::NoBrush);
            ApplyPen(p);
            p.drawPolygon(Points, Count);
        }
    }
    Touched(BoundsOf(Points, Count).adjusted(-w, -w, w, w));
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    if (!FImage)
        return;
    if (X2 < X1)
        std::swap(X1, X2);
    if (Y2 < Y1)
        std::swap(Y1, Y2);
    QPainter& p = P();
    int w = PenVisible() ? std::max(1, FPen->Width()) : 0;
    if (w == 0) {
        // Without a pen the classic rectangle fills one pixel less on the right and bottom.
        if (BrushVisible() && X2 - X1 > 1 && Y2 - Y1 > 1) {
            ApplyBrush(p);
            p.fillRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), p.brush());
        }
    } else if (w == 1 || FPen->Style() == psInsideFrame) {
        const QRect outer(X1, Y1, X2 - X1, Y2 - Y1);
        if (BrushVisible() && outer.width() > 2 && outer.height() > 2) {
            ApplyBrush(p);
            p.fillRect(outer.adjusted(w, w, -w, -w), p.brush());
        }
        ApplyPen(p);
        p.setBrush(Qt::NoBrush);
        if (w == 1) {
            p.drawRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
        } else {
            QPen pen = p.pen();
            pen.setJoinStyle(Qt::MiterJoin);
            pen.setCapStyle(Qt::SquareCap);
            p.setPen(pen);
            p.drawRect(QRectF(X1 + w / 2.0, Y1 + w / 2.0, X2 - X1 - w, Y2 - Y1 - w));
        }
    } else {
        ApplyPen(p);
        ApplyBrush(p);
        p.drawRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
    }
    Touched(QRect(X1, Y1, X2 - X1, Y2 - Y1).adjusted(-w, -w, w, w));
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    if (!FImage)
        return;
    if (X2 < X1)
        std::swap(X1, X2);
    if (Y2 < Y1)
        std::swap(Y1, Y2);
    QPainter& p = P();
    ApplyPen(p);
    ApplyBrush(p);
    if (PenVisible() && FPen->Style() == psInsideFrame && FPen->Width() > 1) {
        const double h = FPen->Width() / 2.0;
        p.drawEllipse(QRectF(X1 + h, Y1 + h, X2 - X1 - 2 * h, Y2 - Y1 - 2 * h));
    } else {
        p.drawEllipse(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
    }
    const int w = std::max(1, FPen->Width());
    Touched(QRect(X1, Y1, X2 - X1, Y2 - Y1).adjusted(-w, -w, w, w));
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    if (!FImage)
        return;
    QPainter& p = P();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawRoundedRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), X3 / 2.0, Y3 / 2.0, Qt::AbsoluteSize);
    const int w = std::max(1, FPen->Width());
    Touched(QRect(X1, Y1, X2 - X1, Y2 - Y1).adjusted(-w, -w, w, w));
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    if (!FImage)
        return;
    const double cx = (X1 + X2) / 2.0;
    const double cy = (Y1 + Y2) / 2.0;
    const double a3 = RadialAngle(cx, cy, X3, Y3);
    double span = RadialAngle(cx, cy, X4, Y4) - a3;
    while (span <= 0)
        span += 360.0;
    QPainter& p = P();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawPie(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), int(std::lround(a3 * 16)), int(std::lround(span * 16)));
    const int w = std::max(1, FPen->Width());
    Touched(QRect(X1, Y1, X2 - X1, Y2 - Y1).adjusted(-w, -w, w, w));
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    if (!FImage || !PenVisible())
        return;
    const double cx = (X1 + X2) / 2.0;
    const double cy = (Y1 + Y2) / 2.0;
    const double a3 = RadialAngle(cx, cy, X3, Y3);
    double span = RadialAngle(cx, cy, X4, Y4) - a3;
    while (span <= 0)
        span += 360.0;
    QPainter& p = P();
    ApplyPen(p);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), int(std::lround(a3 * 16)), int(std::lround(span * 16)));
    const int w = std::max(1, FPen->Width());
    Touched(QRect(X1, Y1, X2 - X1, Y2 - Y1).adjusted(-w, -w, w, w));
}

void TCanvas::FillRect(const TRect& R)
{
    if (!FImage || R.IsEmpty() || !BrushVisible())
        return;
    QPainter& p = P();
    ApplyBrush(p);
    p.fillRect(R.ToQRect(), p.brush());
    Touched(R.ToQRect());
}

void TCanvas::FrameRect(const TRect& R)
{
    if (!FImage || R.IsEmpty())
        return;
    QPainter& p = P();
    const QBrush b(ColorToQColor(FBrush->Color()));
    const QRect q = R.ToQRect();
    p.fillRect(QRect(q.left(), q.top(), q.width(), 1), b);
    p.fillRect(QRect(q.left(), q.bottom(), q.width(), 1), b);
    p.fillRect(QRect(q.left(), q.top(), 1, q.height()), b);
    p.fillRect(QRect(q.right(), q.top(), 1, q.height()), b);
    Touched(q);
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    if (!FImage || R.IsEmpty())
        return;
    PrepareDirect();
    const QRegion clip = ClipRegion();
    const QRect q = R.ToQRect();
    // Every perimeter pixel visited once; every other one inverted.
    auto invert = [&](int x, int y) {
        if (((x + y) & 1) == 0 && clip.contains(QPoint(x, y))) {
            QRgb* line = reinterpret_cast<QRgb*>(FImage->scanLine(y));
            line[x] = (line[x] ^ 0x00FFFFFFu) | 0xFF000000u;
        }
    };
    for (int x = q.left(); x <= q.right(); ++x) {
        invert(x, q.top());
        if (q.bottom() != q.top())
            invert(x, q.bottom());
    }
    for (int y = q.top() + 1; y < q.bottom(); ++y) {
        invert(q.left(), y);
        if (q.right() != q.left())
            invert(q.right(), y);
    }
    Touched(q);
}

void TCanvas::TextOut(int X, int Y, const QString& Text)
{
    if (!FImage || Text.isEmpty())
        return;
    const QFontMetrics& fm = FFont->Metrics();
    const int w = FFont->TextWidth(Text);
    const int h = fm.height();
    const int orientation = ((FFont->Orientation() % 3600) + 3600) % 3600;
    // A text whose glyphs are plain pixels is written from the pixels kept
    // for each character: no layout and no glyph drawing per label.
    const QImage::Format format = FImage->format();
    std::vector<std::pair<int, const std::vector<TFont::TPixelRun>*>> pieces;
    if (orientation == 0
        && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied
            || format == QImage::Format_ARGB32)
        && FFont->GlyphPixels(Text, pieces)) {
        const QRect cell(X, Y, w, h);
        if (BrushVisible())
            P().fillRect(cell, ColorToQColor(FBrush->Color()));
        PrepareDirect();
        const QRegion clip = ClipRegion();
        const QRgb pen = ColorToQRgb(FFont->Color()) | 0xFF000000u;
        uchar* bits = FImage->bits();
        const qsizetype stride = FImage->bytesPerLine();
        const int baseline = Y + fm.ascent();
        for (const QRect& c : clip)
            for (const auto& [offset, runs] : pieces)
                for (const TFont::TPixelRun& r : *runs) {
                    const int y = baseline + r.Y;
                    const int a = std::max(c.left(), X + offset + r.Left);
                    const int b = std::min(c.right() + 1, X + offset + r.Right);
                    if (y >= c.top() && y <= c.bottom() && a < b)
                        std::fill_n(reinterpret_cast<QRgb*>(bits + y * stride) + a, b - a, pen);
                }
        Touched(cell.adjusted(-1, -1, 1, 1));
        return;
    }
    QPainter& p = P();
    p.setFont(FFont->ToQFont());
    p.save();
    p.translate(X, Y);
    if (orientation != 0)
        p.rotate(-orientation / 10.0);
    if (BrushVisible())
        p.fillRect(QRect(0, 0, w, h), ColorToQColor(FBrush->Color()));
    p.setPen(ColorToQColor(FFont->Color()));
    // A number or time already measured from its characters is drawn from
    // them too, without laying it out again.
    QGlyphRun glyphs;
    if (FFont->Glyphs(Text, glyphs))
        p.drawGlyphRun(QPointF(0, fm.ascent()), glyphs);
    else
        p.drawText(0, fm.ascent(), Text);
    const QRect cell = p.transform().mapRect(QRect(0, 0, w, h));
    p.restore();
    Touched(cell.adjusted(-1, -1, 1, 1));
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const QString& Text)
{
    SaveClip();
    IntersectClipRect(R);
    if (BrushVisible())
        FillRect(R);
    TextOut(X, Y, Text);
    RestoreClip();
}

int TCanvas::TextWidth(const QString& Text) const
{
    return FFont->TextWidth(Text);
}

int TCanvas::TextHeight(const QString&) const
{
    return FFont->Metrics().height();
}

QSize TCanvas::TextExtent(const QString& Text) const
{
    return QSize(TextWidth(Text), TextHeight(Text));
}

void TCanvas::Draw(int X, int Y, const TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    StretchDraw(Tessaron::Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic* Graphic)
{
    if (!FImage || !Graphic || Graphic->Empty() || R.IsEmpty())
        return;
    QPainter& p = P();
    Graphic->DrawInto(p, R.ToQRect());
    Touched(R.ToQRect());
}

void TCanvas::CopyRect(const TRect& Dest, const TCanvas* Source, const TRect& SourceRect)
{
    if (!FImage || !Source || !Source->FImage || Dest.IsEmpty())
        return;
    Source->Flush();
    // Copying within one image goes through a copy of the source area.
    const QImage src = Source->FImage == FImage ? FImage->copy(SourceRect.ToQRect()) : QImage();
    QPainter& p = P();
    p.setCompositionMode(CopyModeToComposition(FCopyMode));
    if (src.isNull())
        p.drawImage(Dest.ToQRect(), *Source->FImage, SourceRect.ToQRect());
    else
        p.drawImage(Dest.ToQRect(), src, src.rect());
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Touched(Dest.ToQRect());
}

TColor TCanvas::Pixel(int X, int Y) const
{
    if (!FImage || !FImage->rect().contains(X, Y))
        return TColor(-1);
    PrepareDirect();
    return QRgbToColor(FImage->pixel(X, Y));
}

void TCanvas::SetPixel(int X, int Y, TColor Color)
{
    if (!FImage || !FImage->rect().contains(X, Y))
        return;
    if (FClip && !FClip->contains(QPoint(X, Y)))
        return;
    PrepareDirect();
    FImage->setPixel(X, Y, ColorToQRgb(Color));
    Touched(QRect(X, Y, 1, 1));
}

void TCanvas::SetClipRegion(const QRegion& Region)
{
    FClip = Region;
}

void TCanvas::ClearClipRegion()
{
    FClip.reset();
}

QRegion TCanvas::ClipRegion() const
{
    return FClip ? (*FClip & Bounds()) : QRegion(Bounds());
}

TRect TCanvas::ClipBox() const
{
    return TRect::FromQRect(ClipRegion().boundingRect());
}

void TCanvas::IntersectClipRect(const TRect& R)
{
    FClip = ClipRegion() & R.ToQRect();
}

void TCanvas::SaveClip()
{
    FClipStack.push_back(FClip);
}

void TCanvas::RestoreClip()
{
    if (FClipStack.empty())
        return;
    FClip = FClipStack.back();
    FClipStack.pop_back();
}

QRegion TCanvas::ScrollRect(const TRect& R, int DX, int DY)
{
    if (!FImage)
        return {};
    const QRect area = R.ToQRect() & Bounds();
    if (area.isEmpty())
        return {};
    if (DX == 0 && DY == 0)
        return {};
    Flush();
    // The owner moves what it shows first: our pixels, moved last, are then
    // still in the cache for what is drawn next into the uncovered strip.
    if (OnScrolled)
        OnScrolled(area, DX, DY);
    else
        Touched(area);
    const QRect target = area.translated(DX, DY) & area;
    if (!target.isEmpty() && !(DY == 0 && DX < 0 && SlideLeft(area, -DX))) {
        const QRect source = target.translated(-DX, -DY);
        const int bytes = target.width() * 4;
        uchar* bits = FImage->bits(); // first: a shared image gets its own rows here
        const qsizetype stride = FImage->bytesPerLine();
        // Walk rows so that a row is read before it is overwritten.
        if (DY > 0) {
            for (int y = target.height() - 1; y >= 0; --y)
                std::memmove(bits + (target.top() + y) * stride + target.left() * 4,
                             bits + (source.top() + y) * stride + source.left() * 4, size_t(bytes));
        } else {
            for (int y = 0; y < target.height(); ++y)
                std::memmove(bits + (target.top() + y) * stride + target.left() * 4,
                             bits + (source.top() + y) * stride + source.left() * 4, size_t(bytes));
        }
    }
    return QRegion(area) - QRegion(target);
}

namespace {

void ReleaseRoomy(void* Info)
{
    delete static_cast<std::shared_ptr<uchar[]>*>(Info);
}

} // namespace

// The pixels of Area move Distance to the left by moving the image's origin
// Distance pixels to the right in memory whose rows have room; the rest of the
// picture is copied back to where it was. Worth it only when that rest is
// small against the area; when the room is used up, the rows go back to the
// start of their room in the same pass. False when nothing was done.
bool TCanvas::SlideLeft(const QRect& Area, int Distance)
{
    QImage& image = *FImage;
    const int w = image.width(), h = image.height();
    if (image.depth() != 32 || !image.isDetached())
        return false;
    const qint64 kept = qint64(h - Area.height()) * w + qint64(Area.height()) * (w - Area.width() + Distance);
    const qint64 moved = qint64(Area.height()) * (Area.width() - Distance);
    if (kept * 2 >= moved)
        return false;
    // Room for half a picture more per row; the rows start an odd number of
    // cache lines apart, so that a column of pixels spreads over the cache.
    qsizetype stride = (qsizetype(w + std::max(32, w / 2)) * 4 + 63) / 64 * 64;
    if ((stride / 64) % 2 == 0)
        stride += 64;
    const int room = int(stride / 4) - w;
    const bool viewing = FRoomy && FRoomy.use_count() == 2 && FRoomyWidth == w
        && image.constBits() == FRoomy.get() + qsizetype(FRoomyOrigin) * 4 && image.bytesPerLine() == stride;
    if (!viewing) {
        // Memory of our own, new: the image's old memory may be shared.
        std::shared_ptr<uchar[]> memory(new (std::nothrow) uchar[size_t(stride) * size_t(h)]);
        if (!memory)
            return false;
        for (int y = 0; y < h; ++y)
            std::memcpy(memory.get() + y * stride, image.constScanLine(y), size_t(w) * 4);
        FRoomy = std::move(memory);
        FRoomyWidth = w;
        FRoomyOrigin = 0;
    }
    const int from = FRoomyOrigin;
    const int to = from + Distance <= room ? from + Distance : 0;
    uchar* base = FRoomy.get();
    // Pixel x of the new picture is old pixel x + Distance inside the area and
    // old pixel x elsewhere. Each row stays within its own room, so the rows
    // are independent; within a row, the pieces are copied in the order in
    // which none overwrites what another has still to read.
    const QRect rows = Area & QRect(0, 0, w, h);
    for (int y = 0; y < h; ++y) {
        uchar* row = base + y * stride;
        const auto copy = [&](int X, int Len, int Shift) {
            if (Len > 0 && to != from + Shift)
                std::memmove(row + qsizetype(to + X) * 4, row + qsizetype(from + X + Shift) * 4, size_t(Len) * 4);
        };
        if (y < rows.top() || y > rows.bottom()) {
            copy(0, w, 0);
            continue;
        }
        const int left = rows.left(), right = rows.right() + 1;
        if (to > from) {
            copy(right - Distance, w - right + Distance, 0);
            copy(left, right - Distance - left, Distance);
            copy(0, left, 0);
        } else {
            copy(0, left, 0);
            copy(left, right - Distance - left, Distance);
            copy(right - Distance, w - right + Distance, 0);
        }
    }
    FRoomyOrigin = to;
    image = QImage(base + qsizetype(to) * 4, w, h, stride, image.format(), ReleaseRoomy,
        new std::shared_ptr<uchar[]>(FRoomy));
    return true;
}

// ---------------------------------------------------------------- bitmaps

TBitmap::TBitmap(QObject* Parent) : TGraphic(Parent), FCanvas(std::make_unique<TCanvas>(&FImage)) {}

TBitmap::TBitmap(int AWidth, int AHeight, QObject* Parent) : TBitmap(Parent)
{
    SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap()
{
    FCanvas->Flush();
}

const QImage& TBitmap::Image() const
{
    FCanvas->Flush();
    return FImage;
}

QSize BoundedImageSize(int Width, int Height)
{
    const int w = std::clamp(Width, 0, MaxImageExtent);
    int h = std::clamp(Height, 0, MaxImageExtent);
    if (w > 0 && qint64(w) * h > MaxImagePixels)
        h = int(MaxImagePixels / w);
    return QSize(w, h);
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    const QSize bounded = BoundedImageSize(AWidth, AHeight);
    AWidth = bounded.width();
    AHeight = bounded.height();
    if (AWidth == Width() && AHeight == Height())
        return;
    FCanvas->Flush();
    QImage next;
    if (AWidth > 0 && AHeight > 0) {
        next = QImage(AWidth, AHeight, QImage::Format_RGB32);
        if (next.isNull())
            AWidth = AHeight = 0; // out of memory: an empty bitmap, never a crash
        else
            next.fill(Qt::white);
        if (!FImage.isNull()) {
            QPainter p(&next);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, FImage);
        }
    }
    FImage = next;
    FCanvas->SetImage(&FImage);
    Changed();
}

void TBitmap::SetImage(const QImage& Image)
{
    FCanvas->Flush();
    FImage = Image.isNull() ? QImage() : Image.convertToFormat(QImage::Format_RGB32);
    FCanvas->SetImage(&FImage);
    Changed();
}

void TBitmap::DrawInto(QPainter& Painter, const QRect& R) const
{
    FCanvas->Flush();
    if (FTransparentColor != clNone) {
        QImage masked = FImage.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = ColorToQRgb(FTransparentColor);
        for (int y = 0; y < masked.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
            for (int x = 0; x < masked.width(); ++x)
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = 0;
        }
        Painter.drawImage(R, masked);
        return;
    }
    Painter.drawImage(R, FImage);
}

void TBitmap::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError::ForFile(FileName, file.errorString());
    if (!LoadFromData(file.readAll()))
        throw EFOpenError::ForFile(FileName, QStringLiteral("Bitmap image is not valid"));
}

bool TBitmap::LoadFromData(const QByteArray& Data)
{
    QImage image;
    if (!image.loadFromData(Data))
        return false;
    SetImage(image);
    return true;
}

QByteArray TBitmap::SaveToData() const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    Image().save(&buffer, "PNG");
    return data;
}

void TBitmap::SaveToFile(const QString& FileName) const
{
    Image().save(FileName);
}

void TBitmap::Assign(const TPersistent* Source)
{
    if (auto* b = qobject_cast<const TBitmap*>(Source)) {
        SetImage(b->Image());
        FTransparentColor = b->FTransparentColor;
    }
}

// ---------------------------------------------------------------- metafiles

TMetafile::TMetafile(QObject* Parent) : TGraphic(Parent) {}
TMetafile::~TMetafile() = default;

bool TMetafile::Empty() const
{
    return !FRenderer || !FRenderer->isValid();
}

int TMetafile::Width() const
{
    return Empty() ? 0 : FRenderer->defaultSize().width();
}

int TMetafile::Height() const
{
    return Empty() ? 0 : FRenderer->defaultSize().height();
}

void TMetafile::DrawInto(QPainter& Painter, const QRect& R) const
{
    if (Empty())
        return;
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, true);
    FRenderer->render(&Painter, QRectF(R));
    Painter.restore();
}

void TMetafile::LoadFromFile(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError::ForFile(FileName, file.errorString());
    if (!LoadFromData(file.readAll()))
        throw EFOpenError::ForFile(FileName, QStringLiteral("Vector picture is not valid"));
}

bool TMetafile::LoadFromData(const QByteArray& Data)
{
    auto renderer = std::make_unique<QSvgRenderer>(Data);
    if (!renderer->isValid())
        return false;
    FData = Data;
    FRenderer = std::move(renderer);
    Changed();
    return true;
}

void TMetafile::Assign(const TPersistent* Source)
{
    if (auto* m = qobject_cast<const TMetafile*>(Source))
        LoadFromData(m->FData);
}

// ---------------------------------------------------------------- pictures

TPicture::TPicture(QObject* Parent) : TPersistent(Parent) {}
TPicture::~TPicture() = default;

void TPicture::SetGraphic(const TGraphic* Value)
{
    if (!Value) {
        if (!FGraphic)
            return;
        FGraphic.reset();
        Changed();
        return;
    }
    std::unique_ptr<TGraphic> copy;
    if (qobject_cast<const TMetafile*>(Value))
        copy = std::make_unique<TMetafile>();
    else
        copy = std::make_unique<TBitmap>();
    copy->Assign(Value);
    FGraphic = std::move(copy);
    FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

TBitmap* TPicture::Bitmap()
{
    if (!qobject_cast<TBitmap*>(FGraphic.get())) {
        FGraphic = std::make_unique<TBitmap>();
        FGraphic->OnChange = [this](TObject*) { Changed(); };
    }
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const QString& FileName)
{
    const QString ext = QFileInfo(FileName).suffix().toLower();
    std::unique_ptr<TGraphic> g;
    if (ext == QLatin1String("svg") || ext == QLatin1String("wmf") || ext == QLatin1String("emf"))
        g = std::make_unique<TMetafile>();
    else
        g = std::make_unique<TBitmap>();
    g->LoadFromFile(FileName); // throws; the picture stays as it was
    FGraphic = std::move(g);
    FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Assign(const TPersistent* Source)
{
    if (!Source) {
        SetGraphic(nullptr);
    } else if (auto* p = qobject_cast<const TPicture*>(Source)) {
        SetGraphic(p->Graphic());
    } else if (auto* g = qobject_cast<const TGraphic*>(Source)) {
        SetGraphic(g);
    }
}

QByteArray TPicture::Data() const
{
    if (Empty())
        return {};
    // The class name with its length byte, then the graphic's bytes.
    const QByteArray name = FGraphic->metaObject()->className() + QByteArray("Tessaron::").size();
    QByteArray data;
    data.append(char(name.size()));
    data.append(name);
    data.append(FGraphic->SaveToData());
    return data;
}

void TPicture::SetData(const QByteArray& Value)
{
    if (Value.isEmpty()) {
        SetGraphic(nullptr);
        return;
    }
    const int len = uchar(Value.at(0));
    const QByteArray name = Value.mid(1, len);
    const QByteArray bytes = Value.mid(1 + len);
    std::unique_ptr<TGraphic> g;
    if (name == "TMetafile")
        g = std::make_unique<TMetafile>();
    else if (name == "TBitmap")
        g = std::make_unique<TBitmap>();
    else
        throw Exception(QStringLiteral("Unbekannte Grafikklasse %1").arg(QString::fromLatin1(name)));
    if (!g->LoadFromData(bytes))
        throw Exception(QStringLiteral("Ungültige Bilddaten (%1)").arg(QString::fromLatin1(name)));
    FGraphic = std::move(g);
    FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

// ---------------------------------------------------------------- 3-D frames

void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width)
{
    Canvas->Pen()->SetWidth(1);
    --R.Bottom;
    --R.Right;
    while (Width > 0) {
        --Width;
        const TPoint topLeft(R.Left, R.Top), topRight(R.Right, R.Top);
        const TPoint bottomLeft(R.Left, R.Bottom), bottomRight(R.Right, R.Bottom);
        Canvas->Pen()->SetColor(TopColor);
        const TPoint upper[] = {bottomLeft, topLeft, topRight};
        Canvas->Polyline(upper, 3);
        Canvas->Pen()->SetColor(BottomColor);
        const TPoint lower[] = {topRight, bottomRight, TPoint(bottomLeft.x() - 1, bottomLeft.y())};
        Canvas->Polyline(lower, 3);
        R = InflateRect(R, -1, -1);
    }
    ++R.Bottom;
    ++R.Right;
}

} // namespace Tessaron
