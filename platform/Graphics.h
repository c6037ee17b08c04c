#pragma once
// Drawing: colours, pens, brushes, fonts, a canvas with the classic integer
// semantics (exclusive right and bottom edges, lines without their end pixel,
// exact XOR pens, clip regions, region scrolling), bitmaps and pictures.

#include <platform/Classes.h>
#include <platform/Types.h>

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QRegion>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSvgRenderer;

namespace Tessaron {

// ---------------------------------------------------------------- colours

// The RGB value of a colour: system colours resolve through one fixed classic
// table, so that every machine draws the same picture.
TColor ColorToRGB(TColor Color);
bool IsSystemColor(TColor Color);
constexpr TColor RGB(int R, int G, int B)
{
    return TColor((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}
constexpr int GetRValue(TColor C) { return int(C) & 0xFF; }
constexpr int GetGValue(TColor C) { return (int(C) >> 8) & 0xFF; }
constexpr int GetBValue(TColor C) { return (int(C) >> 16) & 0xFF; }
// Conversions to and from Qt's 0xAARRGGBB.
QRgb ColorToQRgb(TColor Color);
QColor ColorToQColor(TColor Color);
TColor QRgbToColor(QRgb Rgb);
// The platform's default 20-entry system palette; entries 0-7 and 12-19 are
// the 16 basic colours.
const std::array<TColor, 20>& DefaultSystemPalette();
// Colour names as written in descriptions ("clRed"), or "$00BBGGRR" style hex.
QString ColorToString(TColor Color);
bool IdentToColor(const QString& Ident, TColor* Color);

// ---------------------------------------------------------------- tools

class TGraphicsObject : public TPersistent {
    Q_OBJECT
public:
    using TPersistent::TPersistent;
    // Called after any attribute changed.
    TNotifyEvent OnChange;

protected:
    void Changed() { CallEvent(OnChange, this); }
};

class TPen : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(Tessaron::TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(Tessaron::TPenMode Mode READ Mode WRITE SetMode)
    Q_CLASSINFO("Default:Color", "clBlack")
    Q_CLASSINFO("Default:Width", "1")
    Q_CLASSINFO("Default:Style", "psSolid")
    Q_CLASSINFO("Default:Mode", "pmCopy")
public:
    explicit TPen(QObject* Parent = nullptr) : TGraphicsObject(Parent) {}
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);
    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Tessaron::TBrushStyle Style READ Style WRITE SetStyle)
    Q_CLASSINFO("Default:Color", "clWhite")
    Q_CLASSINFO("Default:Style", "bsSolid")
public:
    explicit TBrush(QObject* Parent = nullptr) : TGraphicsObject(Parent) {}
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// The largest font height in pixels, either sign.
constexpr int MaxFontHeight = 10000;

// A font. Height in pixels with the classic meaning: negative is the character
// height (the em size), positive the cell height (ascent + descent). Size is in
// points at PixelsPerInch (96): Height = -Size * 96 / 72, rounded.
// Height and Size are clamped to +-MaxFontHeight.
// Orientation is the escapement in tenths of a degree: 900 reads upward, 2700
// downward.
class TFont : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(Tessaron::TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(Tessaron::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Tessaron::TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Orientation READ Orientation WRITE SetOrientation)
    // A stored font is written whole (but for its declared defaults): a
    // control reading it starts from its parent's font, not a fresh one.
    Q_CLASSINFO("Defaults", "DeclaredOnly")
    Q_CLASSINFO("Default:Pitch", "fpDefault")
    Q_CLASSINFO("Default:Orientation", "0")
public:
    explicit TFont(QObject* Parent = nullptr) : TGraphicsObject(Parent) {}
    QString Name() const { return FName; }
    void SetName(const QString& Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);
    int PixelsPerInch() const { return 96; }
    void Assign(const TPersistent* Source) override;

    // The Qt font for these attributes, after font substitution.
    QFont ToQFont() const;
    // Its metrics, and the width of a text in it: kept until an attribute
    // changes (a chart measures the same labels at every step).
    const QFontMetrics& Metrics() const;
    int TextWidth(const QString& Text) const;
    // The text as glyphs placed from its baseline's start, when it is
    // measured from its characters' widths (new numbers and times) and the
    // font draws every character itself; false when it has to be laid out.
    bool Glyphs(const QString& Text, QGlyphRun& Run) const;
    // A row of pixels a glyph sets: row Y, columns [Left, Right), from the
    // glyph's origin on the baseline.
    struct TPixelRun {
        qint16 Y, Left, Right;
    };
    // For a text drawn as glyphs (see Glyphs) whose glyphs the font draws as
    // plain pixels of its colour (no smoothing): each character's position
    // from the text's start and the pixels its glyph sets. False otherwise.
    bool GlyphPixels(const QString& Text, std::vector<std::pair<int, const std::vector<TPixelRun>*>>& Pieces) const;

private:
    QString FName = QStringLiteral("MS Sans Serif");
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
    struct TQtFont {
        QFont Font;
        QFontMetrics Metrics;
        mutable QHash<QString, int> Widths;
        // Latin-1 characters alone: their glyphs (0: not yet looked up, -1:
        // not usable alone, else the glyph + 1) and widths; whether two side
        // by side are laid out as their glyphs (key: first * 256 + second).
        mutable std::optional<QRawFont> Raw;
        mutable std::array<qint32, 256> CharGlyphs{};
        mutable std::array<qint16, 256> CharWidths{};
        mutable QHash<quint16, bool> Pairs;
        // The pixels of a Latin-1 character's glyph, as Qt draws it alone
        // (state 0: not yet drawn, 1: plain pixels, -1: smoothed or unknown).
        mutable std::array<qint8, 256> MaskStates{};
        mutable std::array<std::vector<TPixelRun>, 256> Masks;
    };
    static bool GlyphMask(const TQtFont& Q, char16_t C, std::vector<TPixelRun>& Runs);
    static int AddedWidth(const TQtFont& Q, const QString& Text, QList<QPointF>* Positions = nullptr,
        QList<quint32>* Glyphs = nullptr);
    const TQtFont& QtFont() const;
    mutable std::shared_ptr<const TQtFont> FCache;
};

// The bold, italic, underline and strike-out styles of a Qt font.
TFontStyles FontStylesOf(const QFont& Font);

// The installed family that a classic font name stands for ("Arial" is drawn
// with the metric-compatible Liberation Sans on every machine).
QString SubstituteFontName(const QString& Name);
// The advance of the substitute's characters in percent of its own, so that
// texts keep the width they had in the classic face: the bitmap face "MS Sans
// Serif" has narrower cells than Liberation Sans (97); metric-compatible
// substitutes keep theirs (100).
int SubstituteFontSpacing(const QString& Name);

// ---------------------------------------------------------------- canvas

class TGraphic;

// A canvas draws on an image that it does not own. Outside painting it can be
// used at any time ("draw at once"); every primitive reports the rectangle it
// touched through OnChanged, so that the owner copies only that area to screen.
struct TColumnSpans;

class TCanvas : public TPersistent {
    Q_OBJECT
public:
    explicit TCanvas(QImage* Image = nullptr, QObject* Parent = nullptr);
    ~TCanvas() override;

    // The image drawn on; the canvas must be told when it is replaced or resized.
    void SetImage(QImage* Image);
    QImage* Image() const { return FImage; }

    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    TFont* Font() const { return FFont.get(); }
    void SetPen(const TPen* Value) { FPen->Assign(Value); }
    void SetBrush(const TBrush* Value) { FBrush->Assign(Value); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint Value) { FPenPos = Value; }

    // Lines leave out their end pixel; a polyline draws each vertex once.
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(const TPoint* Points, int Count);
    void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), int(Points.size())); }
    // Closed, filled with the brush, outlined with the pen (alternate filling).
    void Polygon(const TPoint* Points, int Count);
    void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), int(Points.size())); }
    // Shapes in a bounding box with exclusive right and bottom edges.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    // A pie from the radial line through (X3, Y3) counter-clockwise to the one
    // through (X4, Y4).
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    // Dotted and inverting: drawing the same rectangle twice restores the picture.
    void DrawFocusRect(const TRect& R);

    // Text with its cell's top-left at (X, Y); the background is filled with the
    // brush unless the brush style is bsClear. A font with an orientation of 900
    // reads upward from (X, Y), 2700 downward.
    void TextOut(int X, int Y, const QString& Text);
    void TextRect(const TRect& R, int X, int Y, const QString& Text);
    int TextWidth(const QString& Text) const;
    int TextHeight(const QString& Text) const;
    QSize TextExtent(const QString& Text) const;

    // Pictures.
    void Draw(int X, int Y, const TGraphic* Graphic);
    void StretchDraw(const TRect& R, const TGraphic* Graphic);
    // Copies Source's rectangle into Dest (stretching if sizes differ) with CopyMode.
    void CopyRect(const TRect& Dest, const TCanvas* Source, const TRect& SourceRect);

    // Pixel access; reading outside the image gives clNone cast from -1.
    TColor Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Color);

    // Clipping. Every primitive is confined to the image and, if set, the clip region.
    void SetClipRegion(const QRegion& Region);
    void ClearClipRegion();
    bool HasClipRegion() const { return FClip.has_value(); }
    QRegion ClipRegion() const;
    // The bounding box of the drawable area.
    TRect ClipBox() const;
    void IntersectClipRect(const TRect& R);
    // Saves the clipping state; RestoreClip brings back the last saved one.
    void SaveClip();
    void RestoreClip();

    // Moves the pixels of R by (DX, DY), clipped to R, and returns the part of
    // R that the move uncovered (to be drawn anew). A large area moving left
    // (a recorder's plot) may give the image other pixel memory, the picture
    // unchanged: its rows get room on the right, the image's origin moves
    // instead of the area's pixels, and only what lies outside the area is
    // copied. Copies of the image taken before keep their pixels.
    QRegion ScrollRect(const TRect& R, int DX, int DY);

    // Ends the painter that drawing keeps open (done before direct access to
    // the image's pixels; the next primitive opens it again).
    void Flush() const;

    // Reports the rectangle each primitive touched.
    std::function<void(const QRect&)> OnChanged;
    // Told instead of OnChanged when ScrollRect moves an area (the area before
    // the move, and the distance).
    std::function<void(const QRect& Area, int DX, int DY)> OnScrolled;

private:
    QPainter& P() const;
    // Before the image's pixels are read or written directly.
    void PrepareDirect() const;
    // A one-pixel line from A towards B, B itself left out, in the pen's style
    // and mode; Phase carries the dash pattern along a polyline.
    void PixelLine(TPoint A, TPoint B, int& Phase);
    void ApplyPen(QPainter& Painter) const;
    void ApplyBrush(QPainter& Painter) const;
    bool PenVisible() const;
    bool BrushVisible() const;
    void Touched(const QRect& R) const;
    QRect Bounds() const;
    bool SlideLeft(const QRect& Area, int Distance);

    QImage* FImage = nullptr;
    // The memory with room that the image views after a slide, and the view's
    // origin in it (pixels from the start of a row).
    std::shared_ptr<uchar[]> FRoomy;
    int FRoomyWidth = 0;
    int FRoomyOrigin = 0;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TFont> FFont;
    TCopyMode FCopyMode = cmSrcCopy;
    TPoint FPenPos;
    std::optional<QRegion> FClip;
    std::vector<std::optional<QRegion>> FClipStack;
    mutable std::unique_ptr<QPainter> FPainter;
    std::unique_ptr<TColumnSpans> FColumns; // kept for the next polyline
};

// ---------------------------------------------------------------- pictures

class TGraphic : public TPersistent {
    Q_OBJECT
public:
    using TPersistent::TPersistent;
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Draws the graphic scaled into R.
    virtual void DrawInto(QPainter& Painter, const QRect& R) const = 0;
    // Loads from a file; throws EFOpenError when it cannot be read.
    virtual void LoadFromFile(const QString& FileName) = 0;
    virtual bool LoadFromData(const QByteArray& Data) = 0;
    virtual QByteArray SaveToData() const = 0;
    TNotifyEvent OnChange;

protected:
    void Changed() { CallEvent(OnChange, this); }
};

// An off-screen image with its own canvas.
class TBitmap : public TGraphic {
    Q_OBJECT
public:
    explicit TBitmap(QObject* Parent = nullptr);
    TBitmap(int AWidth, int AHeight, QObject* Parent = nullptr);
    ~TBitmap() override;

    bool Empty() const override { return FImage.isNull(); }
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    // Resizing keeps the pixels that stay inside and fills new ones with white.
    void SetWidth(int Value) { SetSize(Value, Height()); }
    void SetHeight(int Value) { SetSize(Width(), Value); }
    void SetSize(int AWidth, int AHeight);
    TCanvas* Canvas() const { return FCanvas.get(); }
    const QImage& Image() const;
    void SetImage(const QImage& Image);

    void DrawInto(QPainter& Painter, const QRect& R) const override;
    void LoadFromFile(const QString& FileName) override;
    bool LoadFromData(const QByteArray& Data) override;
    QByteArray SaveToData() const override;
    void SaveToFile(const QString& FileName) const;
    void Assign(const TPersistent* Source) override;

    // Colour treated as transparent when the bitmap is drawn (clNone: opaque).
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor Value) { FTransparentColor = Value; }

private:
    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
    TColor FTransparentColor = clNone;
};

// A vector picture (where the classic program stores a metafile), from SVG.
class TMetafile : public TGraphic {
    Q_OBJECT
public:
    explicit TMetafile(QObject* Parent = nullptr);
    ~TMetafile() override;
    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void DrawInto(QPainter& Painter, const QRect& R) const override;
    void LoadFromFile(const QString& FileName) override;
    bool LoadFromData(const QByteArray& Data) override;
    QByteArray SaveToData() const override { return FData; }
    void Assign(const TPersistent* Source) override;

private:
    QByteArray FData;
    std::unique_ptr<QSvgRenderer> FRenderer;
};

// A picture holds one graphic or none. Data is its stored form: the graphic's
// class name and bytes, as window descriptions keep it.
class TPicture : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QByteArray Data READ Data WRITE SetData)
public:
    explicit TPicture(QObject* Parent = nullptr);
    ~TPicture() override;
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of the graphic (nullptr clears the picture).
    void SetGraphic(const TGraphic* Value);
    TBitmap* Bitmap();
    bool Empty() const { return !FGraphic || FGraphic->Empty(); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    // .bmp and .png become bitmaps, .svg and .wmf/.emf names a vector picture.
    // Throws EFOpenError when the file cannot be opened or read.
    void LoadFromFile(const QString& FileName);
    void Assign(const TPersistent* Source) override;
    QByteArray Data() const;
    void SetData(const QByteArray& Value);
    TNotifyEvent OnChange;

private:
    void Changed() { CallEvent(OnChange, this); }
    std::unique_ptr<TGraphic> FGraphic;
};

// Paints a classic 3-D frame: TopColor on the top and left edges, BottomColor on
// the bottom and right, Width rings; R shrinks by one per ring.
void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width);

} // namespace Tessaron
