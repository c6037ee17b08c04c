#pragma once
// TSlider: a linear slide potentiometer. A sunken slot, divided into up to 16
// coloured ranges, a button that moves along it and a scale of lines and
// labels beside it; vertical or horizontal (Kind). The user drags the button
// or clicks into the slot; values may snap to steps. Pictures can replace the
// slot and the button.
//
// A value change redraws at once only the old and the new button areas, each
// grown by 2 pixels, under a clip region; with ReduceFlicker they are composed
// in an off-screen bitmap first and copied in one step.

#include <controls/RangeTable.h>
#include <controls/ScaleTypes.h>
#include <controls/SliderScale.h>
#include <platform/Controls.h>
#include <platform/Graphics.h>

#include <QString>
#include <QVariantList>

#include <memory>

namespace Tessaron {

class TSlider : public TGraphicControl {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one.
    Q_CLASSINFO("DefaultSize", "73x233")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int SliderWidth READ SliderWidth WRITE SetSliderWidth)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight)
    Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber)
    Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent)
    Q_PROPERTY(int LabelingDecimals READ LabelingDecimals WRITE SetLabelingDecimals)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin)
    Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
    Q_PROPERTY(double ValueStepWidth READ ValueStepWidth WRITE SetValueStepWidth)
    Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit)
    Q_PROPERTY(double LabelingGap READ LabelingGap WRITE SetLabelingGap)
    Q_PROPERTY(Tessaron::TColor BevelColor1 READ BevelColor1 WRITE SetBevelColor1)
    Q_PROPERTY(Tessaron::TColor BevelColor2 READ BevelColor2 WRITE SetBevelColor2)
    Q_PROPERTY(Tessaron::TColor ButtonColor READ ButtonColor WRITE SetButtonColor)
    Q_PROPERTY(Tessaron::TColor ButtonBorderColor READ ButtonBorderColor WRITE SetButtonBorderColor)
    Q_PROPERTY(Tessaron::TColor RangeColor READ RangeColor WRITE SetRangeColor)
    Q_PROPERTY(Tessaron::TPicture* PictureSlide READ PictureSlide WRITE SetPictureSlide)
    Q_PROPERTY(Tessaron::TPicture* PictureButton READ PictureButton WRITE SetPictureButton)
    Q_PROPERTY(Tessaron::TPicture* PictureMask READ PictureMask WRITE SetPictureMask)
    Q_PROPERTY(QString ButtonCaption READ ButtonCaption WRITE SetButtonCaption)
    Q_PROPERTY(Tessaron::Scale::TScrollBarKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(Tessaron::TFont* ButtonFont READ ButtonFont WRITE SetButtonFont)
    Q_PROPERTY(bool ButtonTransparent READ ButtonTransparent WRITE SetButtonTransparent)
    Q_PROPERTY(Tessaron::TFont* LabelingFont READ LabelingFont WRITE SetLabelingFont)
    Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker)
    Q_PROPERTY(Tessaron::Scale::TLabelingOrientation LabelingOrientation READ LabelingOrientation WRITE
            SetLabelingOrientation)
    Q_PROPERTY(Tessaron::Scale::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle)
    Q_PROPERTY(Tessaron::TNotifyEvent OnValueChange MEMBER OnValueChange)
    Q_CLASSINFO("Default:BevelWidth", "1")
    Q_CLASSINFO("Default:SliderWidth", "10")
    Q_CLASSINFO("Default:ButtonWidth", "40")
    Q_CLASSINFO("Default:ButtonHeight", "10")
    Q_CLASSINFO("Default:RangeNumber", "1")
    Q_CLASSINFO("Default:RangeCurrent", "1")
    Q_CLASSINFO("Default:LabelingDecimals", "1")
    Q_CLASSINFO("Default:BevelColor1", "clBtnHighlight")
    Q_CLASSINFO("Default:BevelColor2", "clBtnShadow")
    Q_CLASSINFO("Default:ButtonColor", "clBtnFace")
    Q_CLASSINFO("Default:ButtonBorderColor", "clBtnFace")
    Q_CLASSINFO("Default:Kind", "sbVertical")
    Q_CLASSINFO("Default:ButtonTransparent", "False")
    Q_CLASSINFO("Default:ReduceFlicker", "False")
    Q_CLASSINFO("Default:LabelingOrientation", "lboLeft")
    Q_CLASSINFO("Default:LabelingStyle", "lbsNone")

public:
    explicit TSlider(TComponent* AOwner = nullptr);
    ~TSlider() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Width of every 3-D frame (slot and button), 1 by default.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // Width of the slot across the travel, 10 by default.
    int SliderWidth() const { return FSliderWidth; }
    void SetSliderWidth(int Value);
    // Extent of the button across the travel, 40 by default; kept at most the
    // control's extent - 2. Ignored while LabelingStyle is lbsAsymmetric and
    // PictureButton holds a picture.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    // Extent of the button along the travel, 10 by default. BevelWidth,
    // SliderWidth and the button's extents are clamped to 0..MaxControlExtent.
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    // Coloured ranges in use, 1..16 (1 by default; other values are ignored).
    int RangeNumber() const { return FRanges.Number(); }
    void SetRangeNumber(int Value);
    // The range RangeLimit and RangeColor address, 1..16 (1 by default).
    int RangeCurrent() const { return FRanges.Current(); }
    void SetRangeCurrent(int Value);
    // Decimals of the labels, 1 by default.
    int LabelingDecimals() const { return FLabelingDecimals; }
    void SetLabelingDecimals(int Value);

    // The current value, 0 by default: snapped to ValueStepWidth (ties to
    // even), clamped into the range; OnValueChange follows every real change.
    // NaN is ignored, and so is every change while the range is empty.
    double Value() const { return FValue; }
    void SetValue(double Value);
    // Value at the bottom (left) end, 0 by default; only below ValueMax.
    // Value itself is not adjusted.
    double ValueMin() const { return FValueMin; }
    void SetValueMin(double Value);
    // Value at the top (right) end, 100 by default; only above ValueMin.
    double ValueMax() const { return FValueMax; }
    void SetValueMax(double Value);
    // Snapping step, 0 by default (none); any finite value, > 0 snaps.
    double ValueStepWidth() const { return FValueStepWidth; }
    void SetValueStepWidth(double Value);
    // Upper limit of range RangeCurrent (100 for range 1), clamped into the
    // range; 0 and ignored when RangeCurrent > RangeNumber.
    double RangeLimit() const { return FRanges.Limit(); }
    void SetRangeLimit(double Value);
    // Value distance between scale lines, 5 by default; only values > 0. A gap
    // that would put lines closer than 2 pixels is enlarged for good when the
    // scale is drawn.
    double LabelingGap() const { return FLabelingGap; }
    void SetLabelingGap(double Value);

    // Light and dark colours of the 3-D frames (clBtnHighlight, clBtnShadow).
    TColor BevelColor1() const { return FBevelColor1; }
    void SetBevelColor1(TColor Value);
    TColor BevelColor2() const { return FBevelColor2; }
    void SetBevelColor2(TColor Value);
    // Fill of the button and its middle frame (both clBtnFace).
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value);
    // Colour of range RangeCurrent (clBtnFace); clBlack and ignored beyond RangeNumber.
    TColor RangeColor() const { return FRanges.Color(); }
    void SetRangeColor(TColor Value);

    // Pictures, empty by default; assigning copies the content. PictureSlide
    // replaces the slot, PictureButton the button; PictureMask is ANDed into
    // the button area before PictureButton is ORed onto it.
    TPicture* PictureSlide() const { return FPictureSlide.get(); }
    void SetPictureSlide(TPicture* Value);
    TPicture* PictureButton() const { return FPictureButton.get(); }
    void SetPictureButton(TPicture* Value);
    TPicture* PictureMask() const { return FPictureMask.get(); }
    void SetPictureMask(TPicture* Value);
    // Text centred on the button, empty by default.
    QString ButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const QString& Value);
    // sbVertical by default; in a form designer a change swaps Width and Height.
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    // Font of ButtonCaption: Arial, 8 points, bold, black.
    TFont* ButtonFont() const { return FButtonFont.get(); }
    void SetButtonFont(TFont* Value);
    // The button interior is left unfilled (false by default); with
    // lbsAsymmetric the button becomes a window cursor over the labels.
    bool ButtonTransparent() const { return FButtonTransparent; }
    void SetButtonTransparent(bool Value);
    // Font and line colour of the scale: Arial, 8 points, bold, black.
    TFont* LabelingFont() const { return FLabelingFont.get(); }
    void SetLabelingFont(TFont* Value);
    // Compose value changes in an off-screen bitmap (false by default).
    bool ReduceFlicker() const { return FReduceFlicker; }
    void SetReduceFlicker(bool Value);
    // Side of the labels, lboLeft by default.
    TLabelingOrientation LabelingOrientation() const { return FLabelingOrientation; }
    void SetLabelingOrientation(TLabelingOrientation Value);
    // What the scale shows, lbsNone by default. lbsAsymmetric widens the
    // button to the control (without a button picture).
    TLabelingStyle LabelingStyle() const { return FLabelingStyle; }
    void SetLabelingStyle(TLabelingStyle Value);

    // Raised after every real change of Value.
    TNotifyEvent OnValueChange;

    // "Range": a list of RangeNumber pairs (colour, limit), then Value,
    // ValueMin, ValueMax, ValueStepWidth, LabelingGap; always written.
    // Reading assigns the fields directly (no checks, no event) and sets
    // RangeNumber to the number of pairs; a malformed list changes nothing.
    QString ListPropertyName() const override { return QStringLiteral("Range"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;
    void Loaded() override;

    // The range table (entries 1..16).
    const TRangeTable& Ranges() const { return FRanges; }
    // The slot and the button as last drawn (the button with its full outer
    // rectangle).
    TRect SlotRect() const { return FSlotRect; }
    TRect ButtonRect() const { return FButtonRect; }
    // The button rectangle for a value, as drawn.
    TRect ButtonRectFor(double Value) const;
    bool Dragging() const { return FDragging; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool Vertical() const { return FKind == sbVertical; }
    double Span() const { return FValueMax - FValueMin; }
    bool HasSpan() const { return FValueMax > FValueMin; }
    // The control's extent across the travel, less 2: the widest button.
    int ButtonWidthLimit() const;
    void ClampButtonWidth();
    void Changed();
    void NormaliseRanges() { FRanges.Normalise(FValueMin, FValueMax); }
    TRect CalcSlotRect() const;
    void DrawSlot(TCanvas* Canvas);
    void DrawScale(TCanvas* Canvas);
    void DrawButton(TCanvas* Canvas);
    void DrawAll(TCanvas* Canvas);
    void MoveButton(double OldValue);
    void StartDrag(int X, int Y);

    QString FVersion;
    QString FCopyright;
    int FBevelWidth = 1;
    int FSliderWidth = 10;
    int FButtonWidth = 40;
    int FButtonHeight = 10;
    int FLabelingDecimals = 1;
    double FValue = 0.0;
    double FValueMin = 0.0;
    double FValueMax = 100.0;
    double FValueStepWidth = 0.0;
    double FLabelingGap = 5.0;
    TColor FBevelColor1 = clBtnHighlight;
    TColor FBevelColor2 = clBtnShadow;
    TColor FButtonColor = clBtnFace;
    TColor FButtonBorderColor = clBtnFace;
    TRangeTable FRanges{clBtnFace, 100.0};
    std::unique_ptr<TPicture> FPictureSlide;
    std::unique_ptr<TPicture> FPictureButton;
    std::unique_ptr<TPicture> FPictureMask;
    QString FButtonCaption;
    TScrollBarKind FKind = sbVertical;
    std::unique_ptr<TFont> FButtonFont;
    bool FButtonTransparent = false;
    std::unique_ptr<TFont> FLabelingFont;
    bool FReduceFlicker = false;
    TLabelingOrientation FLabelingOrientation = lboLeft;
    TLabelingStyle FLabelingStyle = lbsNone;

    TRect FSlotRect;
    TRect FButtonRect;
    QSize FPaintedSize;
    bool FDragging = false;
    TPoint FDragStart;
    double FDragValue = 0.0;
    int FLastLabelWidth = 0;
    int FLabelHeight = 0;
    // The scale, planned anew only when its layout, values or font change.
    TSliderScale FScale;
    // Exists only while ReduceFlicker is true.
    std::unique_ptr<TBitmap> FBuffer;
};

} // namespace Tessaron
