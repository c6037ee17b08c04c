#pragma once
// TDial: a rotary potentiometer. A shaded circular knob with an optional scale
// of ticks and labels around it and an indicator (dot, triangle or line) at
// the angle of the current value. Clicking into the knob jumps to the clicked
// angle, dragging the indicator turns it; values may snap to steps.
//
// The static knob is drawn once into a cached bitmap; a value change redraws
// at once only the old and the new indicator areas (each grown by 2 pixels)
// under a clip region.
//
// Angles are degrees, 0 at twelve o'clock, growing clockwise.

#include <platform/Controls.h>
#include <platform/Graphics.h>

#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

namespace Tessaron {

class TDial : public TGraphicControl {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one.
    Q_CLASSINFO("DefaultSize", "201x193")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(double ScaleAngle1 READ ScaleAngle1 WRITE SetScaleAngle1)
    Q_PROPERTY(double ScaleAngle2 READ ScaleAngle2 WRITE SetScaleAngle2)
    Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin)
    Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double ValueGap READ ValueGap WRITE SetValueGap)
    Q_PROPERTY(double ValueStepWidth READ ValueStepWidth WRITE SetValueStepWidth)
    Q_PROPERTY(int BevelOuterWidth READ BevelOuterWidth WRITE SetBevelOuterWidth)
    Q_PROPERTY(int BevelInnerWidth READ BevelInnerWidth WRITE SetBevelInnerWidth)
    Q_PROPERTY(int RingWidth READ RingWidth WRITE SetRingWidth)
    Q_PROPERTY(int ValueDecimals READ ValueDecimals WRITE SetValueDecimals)
    Q_PROPERTY(int TickInner READ TickInner WRITE SetTickInner)
    Q_PROPERTY(int TickOuter READ TickOuter WRITE SetTickOuter)
    Q_PROPERTY(int IndicatorInner READ IndicatorInner WRITE SetIndicatorInner)
    Q_PROPERTY(int IndicatorOuter READ IndicatorOuter WRITE SetIndicatorOuter)
    Q_PROPERTY(Tessaron::TColor BevelColor READ BevelColor WRITE SetBevelColor)
    Q_PROPERTY(Tessaron::TColor InnerColor READ InnerColor WRITE SetInnerColor)
    Q_PROPERTY(Tessaron::TColor RingColor READ RingColor WRITE SetRingColor)
    Q_PROPERTY(Tessaron::TColor IndicatorColor READ IndicatorColor WRITE SetIndicatorColor)
    Q_PROPERTY(bool Ticks READ Ticks WRITE SetTicks)
    Q_PROPERTY(bool Labels READ Labels WRITE SetLabels)
    Q_PROPERTY(Tessaron::TDial::TDialIndicator IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(Tessaron::TNotifyEvent OnValueChange MEMBER OnValueChange)
    Q_CLASSINFO("Default:BevelOuterWidth", "4")
    Q_CLASSINFO("Default:BevelInnerWidth", "4")
    Q_CLASSINFO("Default:RingWidth", "40")
    Q_CLASSINFO("Default:ValueDecimals", "0")
    Q_CLASSINFO("Default:TickInner", "100")
    Q_CLASSINFO("Default:TickOuter", "110")
    // The classic stored default of IndicatorInner differs from the
    // constructor's 70: a description that omits it loads 70.
    Q_CLASSINFO("Default:IndicatorInner", "75")
    Q_CLASSINFO("Default:IndicatorOuter", "85")
    Q_CLASSINFO("Default:BevelColor", "clWhite")
    Q_CLASSINFO("Default:InnerColor", "clBtnFace")
    Q_CLASSINFO("Default:RingColor", "clBtnFace")
    Q_CLASSINFO("Default:IndicatorColor", "clRed")
    Q_CLASSINFO("Default:Ticks", "False")
    Q_CLASSINFO("Default:Labels", "False")
    Q_CLASSINFO("Default:IndicatorStyle", "diaCircle")

public:
    enum TDialIndicator : int { diaCircle, diaTriangle, diaLine };
    Q_ENUM(TDialIndicator)

    explicit TDial(TComponent* AOwner = nullptr);
    ~TDial() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Angle of ValueMin, -150 by default: accepted when >= -360 and below
    // ScaleAngle2.
    double ScaleAngle1() const { return FScaleAngle1; }
    void SetScaleAngle1(double Value);
    // Angle of ValueMax, 150 by default: accepted when <= 360 and above
    // ScaleAngle1.
    double ScaleAngle2() const { return FScaleAngle2; }
    void SetScaleAngle2(double Value);
    // Lower end, 0 by default; any finite value (also >= ValueMax). A Value
    // below the new minimum is raised to it without OnValueChange.
    double ValueMin() const { return FValueMin; }
    void SetValueMin(double Value);
    // Upper end, 100 by default; any finite value. A Value above the new
    // maximum is lowered to it without OnValueChange.
    double ValueMax() const { return FValueMax; }
    void SetValueMax(double Value);
    // The current value, 0 by default: snapped to ValueStepWidth (ties to
    // even), clamped into the range; OnValueChange follows every real change.
    // NaN is ignored, and so is every change while the scale has no length
    // (ValueMin = ValueMax, or no room for ticks or labels).
    double Value() const { return FValue; }
    void SetValue(double Value);
    // Value distance between ticks, 10 by default; only values > 0. A gap that
    // would put ticks closer than 4 pixels on the arc is enlarged for good.
    double ValueGap() const { return FValueGap; }
    void SetValueGap(double Value);
    // Snapping step, 0 by default (none); any finite value, > 0 snaps.
    double ValueStepWidth() const { return FValueStepWidth; }
    void SetValueStepWidth(double Value);

    // Width of the outer shaded bevel in pixels, 4 by default; negative sinks it.
    int BevelOuterWidth() const { return FBevelOuterWidth; }
    void SetBevelOuterWidth(int Value);
    // Width of the inner shaded bevel, 4 by default; negative reverses the shading.
    int BevelInnerWidth() const { return FBevelInnerWidth; }
    void SetBevelInnerWidth(int Value);
    // Width of the coloured ring in percent of the radius, 40 by default.
    int RingWidth() const { return FRingWidth; }
    void SetRingWidth(int Value);
    // Decimals of the labels, 0 by default.
    int ValueDecimals() const { return FValueDecimals; }
    void SetValueDecimals(int Value);
    // Inner and outer tick ends in percent of the radius, 100 and 110.
    int TickInner() const { return FTickInner; }
    void SetTickInner(int Value);
    int TickOuter() const { return FTickOuter; }
    void SetTickOuter(int Value);
    // The indicator band in percent of the radius, 70 and 85.
    int IndicatorInner() const { return FIndicatorInner; }
    void SetIndicatorInner(int Value);
    int IndicatorOuter() const { return FIndicatorOuter; }
    void SetIndicatorOuter(int Value);

    // Base colour of both shaded bevels, clWhite by default; only explicit RGB
    // values (system colours are ignored).
    TColor BevelColor() const { return FBevelColor; }
    void SetBevelColor(TColor Value);
    // Colour of the centre disc, clBtnFace.
    TColor InnerColor() const { return FInnerColor; }
    void SetInnerColor(TColor Value);
    // Colour of the ring, clBtnFace.
    TColor RingColor() const { return FRingColor; }
    void SetRingColor(TColor Value);
    // Colour of the indicator, clRed; a disabled dial uses clBtnShadow.
    TColor IndicatorColor() const { return FIndicatorColor; }
    void SetIndicatorColor(TColor Value);
    // Draw ticks (false by default) and value labels (false by default).
    bool Ticks() const { return FTicks; }
    void SetTicks(bool Value);
    bool Labels() const { return FLabels; }
    void SetLabels(bool Value);
    // diaCircle by default.
    TDialIndicator IndicatorStyle() const { return FIndicatorStyle; }
    void SetIndicatorStyle(TDialIndicator Value);
    // Text centred on the knob, empty by default.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);

    // Raised after every real change of Value.
    TNotifyEvent OnValueChange;

    // "Range": Value, ValueMin, ValueMax, ValueStepWidth, ValueGap,
    // ScaleAngle1, ScaleAngle2, always written. Reading takes exactly seven
    // finite numbers and assigns them directly (no checks, no event).
    QString ListPropertyName() const override { return QStringLiteral("Range"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;
    void Loaded() override;

    // Geometry of the scale as last computed: centre, radius in pixels.
    int CenterX() const { return FCx; }
    int CenterY() const { return FCy; }
    int Radius() const { return FRadius; }
    // True while the scale has no usable length (the dial then shows only its
    // background colour and refuses value changes).
    bool NoScale() const { return FNoScale; }
    // The bounding square of the indicator as last drawn.
    TRect IndicatorRect() const { return FIndicatorRect; }
    // The indicator square for a value (as DrawIndicator places it).
    TRect IndicatorRectFor(double Value) const;
    // Ticks as pairs of points (inner, outer) and labels with their positions.
    const std::vector<TPoint>& TickPoints() const { return FTickPoints; }
    const std::vector<QString>& LabelTexts() const { return FLabelTexts; }
    const std::vector<TPoint>& LabelPositions() const { return FLabelPositions; }
    // The angle in degrees that a value maps to (ScaleAngle1 for equal limits).
    double AngleOf(double Value) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void FontChanged() override;

private:
    // The no-span guard: equal limits leave the value-to-angle map undefined.
    bool HasSpan() const { return FValueMax != FValueMin; }
    void CalcScale();
    void CalcTicks(double ArcLength);
    void CalcLabels(double ArcLength, const QString& Pattern);
    // CalcScale, then a rebuild of the cached knob when its geometry changed.
    void Rescale();
    // CalcScale and a rebuild of a built knob.
    void Rebuild();
    void DrawBackground();
    void DrawShadedRing(TCanvas* Canvas, const TRect& R, TColor Base, double LightAngle);
    void DrawDial(TCanvas* Canvas);
    void DrawIndicator(TCanvas* Canvas);
    void MeasureCaption();
    void SetValueFromPoint(int X, int Y);
    void Changed();

    QString FVersion;
    QString FCopyright;
    double FScaleAngle1 = -150.0;
    double FScaleAngle2 = 150.0;
    double FValueMin = 0.0;
    double FValueMax = 100.0;
    double FValue = 0.0;
    double FValueGap = 10.0;
    double FValueStepWidth = 0.0;
    int FBevelOuterWidth = 4;
    int FBevelInnerWidth = 4;
    int FRingWidth = 40;
    int FValueDecimals = 0;
    int FTickInner = 100;
    int FTickOuter = 110;
    int FIndicatorInner = 70;
    int FIndicatorOuter = 85;
    TColor FBevelColor = clWhite;
    TColor FInnerColor = clBtnFace;
    TColor FRingColor = clBtnFace;
    TColor FIndicatorColor = clRed;
    bool FTicks = false;
    bool FLabels = false;
    TDialIndicator FIndicatorStyle = diaCircle;
    QString FCaption;

    // The cached knob and what it was built for.
    std::unique_ptr<TBitmap> FBackground;
    bool FBuilt = false;
    TColor FBuiltColor = clNone;
    QSize FBuiltSize;
    int FBuiltCx = 0;
    int FBuiltCy = 0;
    int FBuiltRadius = -1;

    // Geometry from CalcScale.
    int FCx = 0;
    int FCy = 0;
    int FRadius = 0;
    std::vector<TPoint> FTickPoints;
    std::vector<QString> FLabelTexts;
    std::vector<TPoint> FLabelPositions;
    // The text boxes of the labels and of the caption, to leave out what a
    // clipped redraw does not reach.
    std::vector<QRect> FLabelBoxes;
    QRect FCaptionBox;
    TRect FIndicatorRect;
    bool FDragging = false;
    bool FNoScale = false;
};

} // namespace Tessaron
