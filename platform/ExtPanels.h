#pragma once
// Panels, bevels and pictures: controls that draw themselves with the classic
// 3-D look (button highlight at the top-left of a raised edge, button shadow at
// its bottom-right).

#include <platform/Controls.h>
#include <platform/Graphics.h>

#include <memory>

namespace Tessaron {

// ---------------------------------------------------------------- TPanel

// A panel that holds other controls. From the outside in: the outer bevel
// (BevelWidth rings), a flat border of the panel's colour (BorderWidth rings),
// the inner bevel (BevelWidth rings); the rest is filled with Color and shows
// Caption, vertically centred and placed per Alignment. Aligned children share
// the area inside the bevels and border.
// The widest bevel or border of a panel: each ring is drawn.
constexpr int MaxPanelBevelWidth = 1000;

class TPanel : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(Tessaron::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_CLASSINFO("Default:Alignment", "taCenter")
    Q_CLASSINFO("Default:BevelInner", "bvNone")
    Q_CLASSINFO("Default:BevelOuter", "bvRaised")
    Q_CLASSINFO("Default:BevelWidth", "1")
    Q_CLASSINFO("Default:BorderWidth", "0")

public:
    // bvSpace: a bevel in the panel's own colour.
    enum TBevelCut : int { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)

    explicit TPanel(TComponent* AOwner = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // Default taCenter.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Default bvNone.
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    // Default bvRaised.
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    // Rings per bevel; default 1; values < 1 are ignored.
    // BevelWidth (default 1) 1..MaxPanelBevelWidth, BorderWidth (default 0)
    // 0..MaxPanelBevelWidth; other values are ignored.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // Rings of the flat border; default 0; negative values are ignored.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);

protected:
    void Paint() override;
    void AlignControls(TRect& Rect) override;

private:
    void Changed();
    QString FCaption;
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
};

// ---------------------------------------------------------------- TBevel

// A 3-D box, frame or line on its parent.
class TBevel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TBevelShape Shape READ Shape WRITE SetShape)
    Q_PROPERTY(TBevelStyle Style READ Style WRITE SetStyle)
    Q_CLASSINFO("Default:Shape", "bsBox")
    Q_CLASSINFO("Default:Style", "bsLowered")

public:
    enum TBevelShape : int { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
    Q_ENUM(TBevelShape)
    enum TBevelStyle : int { bsLowered, bsRaised };
    Q_ENUM(TBevelStyle)

    explicit TBevel(TComponent* AOwner = nullptr);

    // Default bsBox.
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    // Default bsLowered.
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

// ---------------------------------------------------------------- TPaintBox

// A rectangle to draw on: Paint() prepares the canvas (the control's font,
// a brush of its colour) and raises OnPaint, where the owner draws. Components
// that draw themselves derive from it and override Paint(). Inside a form
// designer an empty paint box shows a dashed outline so that it can be found.
class TPaintBox : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TNotifyEvent OnPaint MEMBER OnPaint)
    Q_CLASSINFO("DefaultSize", "105x105")

public:
    explicit TPaintBox(TComponent* AOwner = nullptr);

    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// ---------------------------------------------------------------- TImage

// Shows a picture: at its natural size from the top-left corner, centred
// (Center), or scaled to the control (Stretch). A transparent image leaves the
// pixels of a bitmap's transparent colour (its bottom-left pixel) and the
// uncovered area showing what lies beneath. AutoSize gives the control the
// picture's size whenever the picture changes.
class TImage : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(Tessaron::TPicture* Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_CLASSINFO("Default:AutoSize", "false")
    Q_CLASSINFO("Default:Center", "false")
    Q_CLASSINFO("Default:Stretch", "false")
    Q_CLASSINFO("Default:Transparent", "false")

public:
    explicit TImage(TComponent* AOwner = nullptr);
    ~TImage() override;

    // The picture; assigning copies the given one.
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;
    void Loaded() override;

protected:
    QWidget* CreateWidget() override;
    void Paint() override;

private:
    void PictureChanged();
    void DrawPicture(QPainter& P) const;

    std::unique_ptr<TPicture> FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FStretch = false;
    bool FTransparent = false;
};

} // namespace Tessaron
