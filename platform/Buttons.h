#pragma once
// Buttons with pictures: the bitmap button TBitBtn (with the standard kinds
// OK, Cancel, ... and their captions, glyphs and modal results) and the tool
// bar button TSpeedButton (with groups of buttons that stay down).
//
// Glyphs: a bitmap with NumGlyphs pictures side by side (up, disabled, down,
// stays down); its bottom-left pixel gives the transparent colour. Without a
// disabled picture a disabled button shows the glyph's dark pixels embossed.

#include <platform/Controls.h>
#include <platform/Graphics.h>
#include <platform/StdCtrls.h>

#include <memory>

namespace Tessaron {

// A button glyph: a bitmap whose picture descriptions store as "Glyph.Data".
class TGlyphBitmap : public TBitmap {
    Q_OBJECT
    Q_PROPERTY(QByteArray Data READ Data WRITE SetData)
public:
    using TBitmap::TBitmap;
    QByteArray Data() const { return Empty() ? QByteArray() : SaveToData(); }
    // Empty data clears the glyph; data that is no picture is ignored.
    void SetData(const QByteArray& Value);
};

// ---------------------------------------------------------------- TBitBtn

// A push button with a glyph. A Kind other than bkCustom gives the button the
// kind's caption ("OK", "Abbrechen", ...; while loading only if no caption was
// read), its modal result, and Default (bkOK, bkYes) or Cancel (bkCancel,
// bkNo); an empty Glyph then shows the kind's standard picture.
class TBitBtn : public TButton {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TBitmap* Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(TBitBtnKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_CLASSINFO("Default:Kind", "bkCustom")
    Q_CLASSINFO("Default:Layout", "blGlyphLeft")
    Q_CLASSINFO("Default:Margin", "-1")
    Q_CLASSINFO("Default:NumGlyphs", "1")
    Q_CLASSINFO("Default:Spacing", "4")

public:
    enum TBitBtnKind : int { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
    Q_ENUM(TBitBtnKind)
    enum TButtonLayout : int { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)

    explicit TBitBtn(TComponent* AOwner = nullptr);
    ~TBitBtn() override;

    // The kind's caption and modal result.
    static QString KindCaption(TBitBtnKind Kind);
    static int KindModalResult(TBitBtnKind Kind);
    // The kind's standard glyph (empty for bkCustom, bkRetry, bkIgnore).
    static QImage KindGlyph(TBitBtnKind Kind);

    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the given bitmap.
    void SetGlyph(TBitmap* Value);
    // Default bkCustom.
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind Value);
    // Default blGlyphLeft.
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // Pixels from the edge to the glyph; -1 (default) centres glyph and caption.
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    // Pictures in the glyph, 1 ... 4; default 1.
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    // Pixels between glyph and caption; default 4; -1 spreads them evenly.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);

    // A bkClose button closes its form instead of raising OnClick.
    void Click() override;

protected:
    void PaintContent(QPainter& P, const TRect& Content, bool Down) override;

private:
    std::unique_ptr<TGlyphBitmap> FGlyph;
    TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FNumGlyphs = 1;
    int FSpacing = 4;
};

// ---------------------------------------------------------------- TSpeedButton

// A tool bar button drawn on its parent. With GroupIndex 0 it is a push
// button. Buttons with the same GroupIndex > 0 on the same parent form a group
// of which at most one is down; a click puts a button down (and the others of
// its group up); clicking the down button again puts it up only when
// AllowAllUp (shared by the whole group). OnClick comes after Down changed.
// A flat button shows its frame only while the mouse is over it.
class TSpeedButton : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(Tessaron::TBitmap* Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(Tessaron::TBitBtn::TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_CLASSINFO("Default:AllowAllUp", "false")
    Q_CLASSINFO("Default:GroupIndex", "0")
    Q_CLASSINFO("Default:Down", "false")
    Q_CLASSINFO("Default:Flat", "false")
    Q_CLASSINFO("Default:Layout", "blGlyphLeft")
    Q_CLASSINFO("Default:Margin", "-1")
    Q_CLASSINFO("Default:NumGlyphs", "1")
    Q_CLASSINFO("Default:Spacing", "4")

public:
    // The face being shown.
    enum TButtonState : int { bsUp, bsDisabled, bsDown, bsExclusive };

    explicit TSpeedButton(TComponent* AOwner = nullptr);
    ~TSpeedButton() override;

    // Default false; assigning it sets it for the whole group.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // Default 0 (no group); negative values are ignored.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    // Whether the button stays down; always false with GroupIndex 0. Putting
    // the down button of a group up is ignored unless AllowAllUp.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TBitBtn::TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TBitBtn::TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);

    TButtonState State() const { return FState; }
    // Raises OnClick (Down stays as it is, as with the classic button).
    void Click() override;
    void Loaded() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool FilterEvent(QObject* Watched, QEvent* Event) override;

private:
    // The other buttons of the group go up and take AllowAllUp.
    void UpdateExclusive();
    bool Inside(int X, int Y) const { return X >= 0 && X < Width() && Y >= 0 && Y <= Height(); }

    bool FAllowAllUp = false;
    int FGroupIndex = 0;
    bool FDown = false;
    QString FCaption;
    bool FFlat = false;
    std::unique_ptr<TGlyphBitmap> FGlyph;
    TBitBtn::TButtonLayout FLayout = TBitBtn::blGlyphLeft;
    int FMargin = -1;
    int FNumGlyphs = 1;
    int FSpacing = 4;
    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;
};

} // namespace Tessaron
