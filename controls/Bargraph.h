#pragma once
// TBarGraph: a bar indicator. A sunken column, vertical or horizontal, that
// fills from its ValueMin end up to Value, each part of the filled column in
// the colour of the range it lies in (for example green, yellow and red
// warning zones), with a scale of lines and labels beside it. A display only:
// it raises no events of its own.
//
// The range table and the scale are the slider's. A change of Value redraws
// at once only the part of the column between the old and the new fill level
// (grown by 1 pixel) under a clip region; the scale is left alone.

#include <controls/RangeTable.h>
#include <controls/ScaleTypes.h>
#include <controls/SliderScale.h>
#include <platform/Controls.h>
#include <platform/Graphics.h>

#include <QString>
#include <QVariantList>

#include <memory>

namespace Tessaron {

class TBarGraph : public TGraphicControl {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one.
    Q_CLASSINFO("DefaultSize", "81x217")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BarWidth READ BarWidth WRITE SetBarWidth)
    Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber)
    Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent)
    Q_PROPERTY(int LabelingDecimals READ LabelingDecimals WRITE SetLabelingDecimals)
    Q_PROPERTY(int OffsetLower READ OffsetLower WRITE SetOffsetLower)
    Q_PROPERTY(int OffsetUpper READ OffsetUpper WRITE SetOffsetUpper)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin)
    Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
    Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit)
    Q_PROPERTY(double LabelingGap READ LabelingGap WRITE SetLabelingGap)
    Q_PROPERTY(Tessaron::TColor BevelColor1 READ BevelColor1 WRITE SetBevelColor1)
    Q_PROPERTY(Tessaron::TColor BevelColor2 READ BevelColor2 WRITE SetBevelColor2)
    Q_PROPERTY(Tessaron::TColor BarColor READ BarColor WRITE SetBarColor)
    Q_PROPERTY(Tessaron::TColor RangeColor READ RangeColor WRITE SetRangeColor)
    Q_PROPERTY(Tessaron::TPicture* PictureBackground READ PictureBackground WRITE SetPictureBackground)
    Q_PROPERTY(Tessaron::Scale::TScrollBarKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(Tessaron::TFont* LabelingFont READ LabelingFont WRITE SetLabelingFont)
    Q_PROPERTY(Tessaron::Scale::TLabelingOrientation LabelingOrientation READ LabelingOrientation WRITE
            SetLabelingOrientation)
    Q_PROPERTY(Tessaron::Scale::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle)
    Q_CLASSINFO("Default:BevelWidth", "1")
    Q_CLASSINFO("Default:BarWidth", "10")
    Q_CLASSINFO("Default:RangeNumber", "1")
    Q_CLASSINFO("Default:RangeCurrent", "1")
    Q_CLASSINFO("Default:LabelingDecimals", "1")
    Q_CLASSINFO("Default:OffsetLower", "8")
    Q_CLASSINFO("Default:OffsetUpper", "8")
    Q_CLASSINFO("Default:BevelColor1", "clBtnHighlight")
    Q_CLASSINFO("Default:BevelColor2", "clBtnShadow")
    Q_CLASSINFO("Default:BarColor", "clBtnFace")
    Q_CLASSINFO("Default:Kind", "sbVertical")
    Q_CLASSINFO("Default:LabelingOrientation", "lboLeft")
    Q_CLASSINFO("Default:LabelingStyle", "lbsNone")

public:
    explicit TBarGraph(TComponent* AOwner = nullptr);
    ~TBarGraph() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Width of the column's sunken frame, 1 by default.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // Width of the column across the bar, 10 by default.
    int BarWidth() const { return FBarWidth; }
    void SetBarWidth(int Value);
    // Ranges in use, 1..16 (1 by default; other values are ignored).
    int RangeNumber() const { return FRanges.Number(); }
    void SetRangeNumber(int Value);
    // The range RangeLimit and RangeColor address, 1..16 (1 by default).
    int RangeCurrent() const { return FRanges.Current(); }
    void SetRangeCurrent(int Value);
    // Decimals of the labels, 1 by default.
    int LabelingDecimals() const { return FLabelingDecimals; }
    void SetLabelingDecimals(int Value);
    // Free pixels at the ValueMin end (bottom or left), 8 by default.
    int OffsetLower() const { return FOffsetLower; }
    void SetOffsetLower(int Value);
    // Free pixels at the ValueMax end (top or right), 8 by default.
    int OffsetUpper() const { return FOffsetUpper; }
    void SetOffsetUpper(int Value);

    // The displayed value, 0 by default, clamped into [ValueMin, ValueMax];
    // a change redraws the changed part of the column at once. NaN is ignored.
    double Value() const { return FValue; }
    void SetValue(double Value);
    // Column start, 0 by default; only below ValueMax. Value is not adjusted.
    double ValueMin() const { return FValueMin; }
    void SetValueMin(double Value);
    // Column end, 100 by default; only above ValueMin.
    double ValueMax() const { return FValueMax; }
    void SetValueMax(double Value);
    // Upper limit of range RangeCurrent (100 for range 1), clamped into the
    // range; 0 and ignored when RangeCurrent > RangeNumber.
    double RangeLimit() const { return FRanges.Limit(); }
    void SetRangeLimit(double Value);
    // Value distance between scale lines, 5 by default; only values > 0. A gap
    // that would put lines closer than 2 pixels is enlarged for good when the
    // scale is drawn.
    double LabelingGap() const { return FLabelingGap; }
    void SetLabelingGap(double Value);

    // Light and dark colours of the column's frame (clBtnHighlight, clBtnShadow).
    TColor BevelColor1() const { return FBevelColor1; }
    void SetBevelColor1(TColor Value);
    TColor BevelColor2() const { return FBevelColor2; }
    void SetBevelColor2(TColor Value);
    // Colour of the unfilled column, clBtnFace by default.
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor Value);
    // Colour of range RangeCurrent (black for range 1); black and ignored
    // beyond RangeNumber.
    TColor RangeColor() const { return FRanges.Color(); }
    void SetRangeColor(TColor Value);

    // Empty by default; if not, stretched over the control's interior as the
    // background. Assigning copies the content.
    TPicture* PictureBackground() const { return FPictureBackground.get(); }
    void SetPictureBackground(TPicture* Value);
    // sbVertical by default; in a form designer a change swaps Width and Height.
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    // Font and line colour of the scale: Arial, 8 points, bold, black.
    TFont* LabelingFont() const { return FLabelingFont.get(); }
    void SetLabelingFont(TFont* Value);
    // Side of the labels, lboLeft by default.
    TLabelingOrientation LabelingOrientation() const { return FLabelingOrientation; }
    void SetLabelingOrientation(TLabelingOrientation Value);
    // What the scale shows, lbsNone by default: lbsNone, lbsLines, lbsLabels,
    // lbsBoth or lbsSymmetric. The slider's window cursor, lbsAsymmetric, has
    // no meaning here and is ignored.
    TLabelingStyle LabelingStyle() const { return FLabelingStyle; }
    void SetLabelingStyle(TLabelingStyle Value);

    // "Range": a list of RangeNumber pairs (colour, limit), then Value,
    // ValueMin, ValueMax, LabelingGap; always written. Reading assigns the
    // fields directly (no checks) and sets RangeNumber to the number of pairs;
    // a malformed list changes nothing. Values read this way are only kept
    // inside the column when drawn: an empty or inverted range shows an empty
    // column without a scale, limits outside it end at the column's ends.
    QString ListPropertyName() const override { return QStringLiteral("Range"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;
    void Loaded() override;

    // The range table (entries 1..16).
    const TRangeTable& Ranges() const { return FRanges; }
    // The column with its frame, as last drawn.
    TRect ColumnRect() const { return FColumnRect; }

protected:
    void Paint() override;

private:
    bool Vertical() const { return FKind == sbVertical; }
    bool HasSpan() const { return FValueMax > FValueMin; }
    void Changed();
    void NormaliseRanges() { FRanges.Normalise(FValueMin, FValueMax); }
    TRect CalcColumnRect() const;
    // The column's inside, within its frame.
    TRect InnerRect(const TRect& Column) const;
    // Distance of the fill level for V from the ValueMin edge of Inner,
    // kept inside the column.
    int LevelOffset(const TRect& Inner, double V) const;
    // A fill level: a line (of no thickness) across the column, Offset pixels
    // from the ValueMin edge of Inner.
    TRect LevelLine(const TRect& Column, const TRect& Inner, int Offset) const;
    void DrawBar(TCanvas* Canvas);
    void DrawScale(TCanvas* Canvas);
    void MoveBar(double OldValue);

    QString FVersion;
    QString FCopyright;
    int FBevelWidth = 1;
    int FBarWidth = 10;
    int FLabelingDecimals = 1;
    int FOffsetLower = 8;
    int FOffsetUpper = 8;
    double FValue = 0.0;
    double FValueMin = 0.0;
    double FValueMax = 100.0;
    double FLabelingGap = 5.0;
    TColor FBevelColor1 = clBtnHighlight;
    TColor FBevelColor2 = clBtnShadow;
    TColor FBarColor = clBtnFace;
    TRangeTable FRanges{clBlack, 100.0};
    std::unique_ptr<TPicture> FPictureBackground;
    TScrollBarKind FKind = sbVertical;
    std::unique_ptr<TFont> FLabelingFont;
    TLabelingOrientation FLabelingOrientation = lboLeft;
    TLabelingStyle FLabelingStyle = lbsNone;

    TRect FColumnRect;
    // The fill level as last drawn.
    TRect FLevelRect;
    QSize FPaintedSize;
    TSliderScale FScale;
};

} // namespace Tessaron
