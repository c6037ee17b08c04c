#pragma once
// TMeter: an analog moving-pointer instrument. A circular-arc scale band
// between two angles, divided into up to 16 coloured ranges, with ticks,
// numeric labels inside or outside the band, two legend lines (quantity and
// unit) and a pointer (a needle or a wedge) showing Value. The pointer stops
// 5 % of the span beyond either scale end. OnRangeCheck reports when the value
// enters another watched range or leaves the scale. Display only: no input.
//
// A change of Value redraws at once only the rectangle covering the old and
// the new pointer and the band section swept between them, under a clip
// region; the result is the same picture a full repaint gives. With
// ReduceFlicker the rectangle is composed in an off-screen bitmap and copied
// in one step.
//
// Angles are degrees, 0 at twelve o'clock, growing clockwise.

#include <controls/RangeTable.h>
#include <platform/Controls.h>
#include <platform/ExtPanels.h>
#include <platform/Graphics.h>

#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

namespace Tessaron {

class TMeter : public TPaintBox {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one.
    Q_CLASSINFO("DefaultSize", "201x177")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(double MeterAngle1 READ MeterAngle1 WRITE SetMeterAngle1)
    Q_PROPERTY(double MeterAngle2 READ MeterAngle2 WRITE SetMeterAngle2)
    Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin)
    Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit)
    Q_PROPERTY(double ValueGap READ ValueGap WRITE SetValueGap)
    Q_PROPERTY(int IndicatorScale READ IndicatorScale WRITE SetIndicatorScale)
    Q_PROPERTY(int MeterScaleWidth READ MeterScaleWidth WRITE SetMeterScaleWidth)
    Q_PROPERTY(int MeterScale READ MeterScale WRITE SetMeterScale)
    Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber)
    Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent)
    Q_PROPERTY(int BevelOuterWidth READ BevelOuterWidth WRITE SetBevelOuterWidth)
    Q_PROPERTY(int ValueDecimals READ ValueDecimals WRITE SetValueDecimals)
    Q_PROPERTY(int MeterShiftX READ MeterShiftX WRITE SetMeterShiftX)
    Q_PROPERTY(int MeterShiftY READ MeterShiftY WRITE SetMeterShiftY)
    Q_PROPERTY(Tessaron::TColor RangeColor READ RangeColor WRITE SetRangeColor)
    Q_PROPERTY(Tessaron::TColor IndicatorColor READ IndicatorColor WRITE SetIndicatorColor)
    Q_PROPERTY(bool RangeCheck READ RangeCheck WRITE SetRangeCheck)
    Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker)
    Q_PROPERTY(QString Legend1 READ Legend1 WRITE SetLegend1)
    Q_PROPERTY(QString Legend2 READ Legend2 WRITE SetLegend2)
    Q_PROPERTY(Tessaron::TMeter::TIndicatorStyle IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle)
    Q_PROPERTY(Tessaron::TMeter::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle)
    Q_PROPERTY(Tessaron::TMeter::TTickStyle TickStyle READ TickStyle WRITE SetTickStyle)
    Q_PROPERTY(Tessaron::TRangeCheck OnRangeCheck MEMBER OnRangeCheck)
    Q_PROPERTY(Tessaron::TMeter::TLegendPosition LegendPosition READ LegendPosition WRITE SetLegendPosition)
    Q_CLASSINFO("Default:IndicatorScale", "100")
    Q_CLASSINFO("Default:MeterScaleWidth", "10")
    Q_CLASSINFO("Default:MeterScale", "100")
    Q_CLASSINFO("Default:RangeNumber", "1")
    Q_CLASSINFO("Default:RangeCurrent", "1")
    Q_CLASSINFO("Default:BevelOuterWidth", "1")
    Q_CLASSINFO("Default:ValueDecimals", "0")
    Q_CLASSINFO("Default:MeterShiftX", "0")
    Q_CLASSINFO("Default:MeterShiftY", "0")
    Q_CLASSINFO("Default:IndicatorColor", "clBlack")
    Q_CLASSINFO("Default:ReduceFlicker", "False")
    Q_CLASSINFO("Default:IndicatorStyle", "indWedge")
    Q_CLASSINFO("Default:LabelingStyle", "labOutside")
    Q_CLASSINFO("Default:TickStyle", "ticFull")
    Q_CLASSINFO("Default:LegendPosition", "LegBottom")

public:
    enum TIndicatorStyle : int { indNeedle, indWedge };
    Q_ENUM(TIndicatorStyle)
    enum TLabelingStyle : int { labNone, labInside, labOutside };
    Q_ENUM(TLabelingStyle)
    enum TTickStyle : int { ticNone, ticHalf, ticFull, ticLarge };
    Q_ENUM(TTickStyle)
    enum TLegendPosition : int { legLeft, LegRight, LegTop, LegBottom };
    Q_ENUM(TLegendPosition)

    explicit TMeter(TComponent* AOwner = nullptr);
    ~TMeter() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Angle of ValueMin, -90 by default: accepted when >= -360 and below MeterAngle2.
    double MeterAngle1() const { return FMeterAngle1; }
    void SetMeterAngle1(double Value);
    // Angle of ValueMax, 90 by default: accepted when <= 360 and above MeterAngle1.
    double MeterAngle2() const { return FMeterAngle2; }
    void SetMeterAngle2(double Value);
    // Scale start, 0 by default; any finite value. A minimum >= ValueMax moves
    // ValueMax to ValueMin + 1. The pointer follows Value into the new scale,
    // at most 5 % of the span beyond its ends; one pulled back from beyond that
    // is reported through OnRangeCheck. The ranges are clamped into the scale.
    double ValueMin() const { return FValueMin; }
    void SetValueMin(double Value);
    // Scale end, 100 by default; any finite value. A maximum <= ValueMin moves
    // ValueMin to ValueMax - 1; otherwise as ValueMin.
    double ValueMax() const { return FValueMax; }
    void SetValueMax(double Value);
    // The measured value, 0 by default, stored as given (NaN is ignored, an
    // infinity accepted); the pointer shows it clamped to 5 % of the span
    // beyond the scale ends. A change redraws the pointer at once, then runs
    // the range check.
    double Value() const { return FValue; }
    void SetValue(double Value);
    // Upper limit of range RangeCurrent (100 for range 1), clamped into the
    // scale; the last range in use always ends at ValueMax. 0 and ignored when
    // RangeCurrent > RangeNumber.
    double RangeLimit() const { return FRanges.Limit(); }
    void SetRangeLimit(double Value);
    // Value distance between ticks, 10 by default; only values > 0. Ticks
    // closer than 4 pixels on the arc are thinned out when drawn (the property
    // keeps its value).
    double ValueGap() const { return FValueGap; }
    void SetValueGap(double Value);

    // Pointer length in percent of the scale radius, 100 by default; clamped to 0..200.
    int IndicatorScale() const { return FIndicatorScale; }
    void SetIndicatorScale(int Value);
    // Width of the band in percent of the scale radius, 10 by default; clamped to 0..100.
    int MeterScaleWidth() const { return FMeterScaleWidth; }
    void SetMeterScaleWidth(int Value);
    // Scale radius in percent of the available radius, 100 by default; clamped to 50..210.
    int MeterScale() const { return FMeterScale; }
    void SetMeterScale(int Value);
    // Ranges in use, 1..16 (1 by default; other values are ignored).
    int RangeNumber() const { return FRanges.Number(); }
    void SetRangeNumber(int Value);
    // The range RangeLimit, RangeColor and RangeCheck address, 1..16 (1 by default).
    int RangeCurrent() const { return FRanges.Current(); }
    void SetRangeCurrent(int Value);
    // Width of the raised frame, 1 by default; only values >= 0.
    int BevelOuterWidth() const { return FBevelOuterWidth; }
    void SetBevelOuterWidth(int Value);
    // Decimals of the labels, 0 by default.
    int ValueDecimals() const { return FValueDecimals; }
    void SetValueDecimals(int Value);
    // Shift of the scale centre in percent of Width (right positive) and of
    // Height (down positive), 0 by default; clamped to -60..60.
    int MeterShiftX() const { return FMeterShiftX; }
    void SetMeterShiftX(int Value);
    int MeterShiftY() const { return FMeterShiftY; }
    void SetMeterShiftY(int Value);

    // Colour of range RangeCurrent, clBtnHighlight for every range.
    TColor RangeColor() const { return FRanges.Color(); }
    void SetRangeColor(TColor Value);
    // Pointer colour, clBlack by default.
    TColor IndicatorColor() const { return FIndicatorColor; }
    void SetIndicatorColor(TColor Value);
    // Whether OnRangeCheck watches range RangeCurrent, false for every range.
    bool RangeCheck() const { return FRanges.Watched(); }
    void SetRangeCheck(bool Value);
    // Compose pictures in an off-screen bitmap first, false by default.
    bool ReduceFlicker() const { return FReduceFlicker; }
    void SetReduceFlicker(bool Value);
    // The two legend lines (quantity and unit), empty by default.
    QString Legend1() const { return FLegend1; }
    void SetLegend1(const QString& Value);
    QString Legend2() const { return FLegend2; }
    void SetLegend2(const QString& Value);
    // indWedge by default.
    TIndicatorStyle IndicatorStyle() const { return FIndicatorStyle; }
    void SetIndicatorStyle(TIndicatorStyle Value);
    // labOutside by default.
    TLabelingStyle LabelingStyle() const { return FLabelingStyle; }
    void SetLabelingStyle(TLabelingStyle Value);
    // ticFull by default.
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle Value);
    // LegBottom by default.
    TLegendPosition LegendPosition() const { return FLegendPosition; }
    void SetLegendPosition(TLegendPosition Value);

    // Raised with -1 when Value falls below ValueMin, -2 when it rises above
    // ValueMax, the number of the first watched range holding it, or 0 when
    // it holds no watched range; only when the status changes. The ValueMin
    // and ValueMax setters raise -1 / -2 when they pull the pointer back.
    TRangeCheck OnRangeCheck;

    // "Range": the ranges as (colour, watched, limit) triples, then
    // MeterAngle1, MeterAngle2, the inner band radius, the outer scale radius,
    // the pointer value, ValueMin, ValueMax, ValueGap; always written. Reading
    // assigns the fields directly; it takes finite numbers with ValueMin
    // below ValueMax and a positive gap, and 1 to 16 triples.
    QString ListPropertyName() const override { return QStringLiteral("Range"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;
    void Loaded() override;

    const TRangeTable& Ranges() const { return FRanges; }

    // The state the picture is drawn from, as the last rescale computed it.
    struct TGeometry {
        // The centre: cx and cy (cy counted from the bottom), and the pivot
        // row y0 = Height - cy where the pointer turns.
        int Cx = 0;
        int Cy = 0;
        int Y0 = 0;
        // Outer scale radius and inner band radius.
        double R = 1.0;
        double Ri = 0.9;
        // Label margins of the radius computation, and the label diagonal d.
        int MarginX = 5;
        int MarginY = 5;
        int LabelDiagonal = 0;
        // One filled polygon per range in use (empty for an empty range).
        std::vector<std::vector<TPoint>> Bands;
        // The scale arc along the outer radius.
        std::vector<TPoint> Arc;
        // Ticks as pairs of points (inner, outer); Major marks the labelled ones.
        std::vector<TPoint> Ticks;
        std::vector<bool> Major;
        // Labels: texts, top-left corners and text boxes.
        std::vector<QString> LabelTexts;
        std::vector<TPoint> LabelPositions;
        std::vector<QRect> LabelBoxes;
        // Labels stand at every LabelStep-th tick.
        int LabelStep = 1;
        // Top-left corners of Legend1 and Legend2 (meaningful when set).
        TPoint Legend1Position;
        TPoint Legend2Position;
    };
    const TGeometry& Geometry() const { return FGeometry; }

    // The pointer as drawn: Value clamped to 5 % of the span beyond the ends.
    double PointerValue() const { return FPointerValue; }
    // The range status last reported to OnRangeCheck (0 at the start).
    int RangeStatus() const { return FRangeStatus; }
    // The angle in degrees a value maps to.
    double AngleOf(double Value) const;
    // The box the pointer covers at a value (pixels that drawing it may touch).
    TRect PointerRect(double PointerValue) const;
    // The rectangle redrawn when the pointer moves between two values: both
    // pointers and the band section swept between them.
    TRect MoveRect(double OldPointer, double NewPointer) const;

protected:
    void Paint() override;
    void FontChanged() override;

private:
    bool HasSpan() const;
    double ClampPointer(double Value) const;
    // Scale layout (margins, radius, band, ticks, labels, legend) for the
    // control's size and font; skipped while loading.
    void Rescale();
    void CalcGeometry();
    void CalcTicksAndLabels();
    void CalcLegend();
    // The picture format of the labels (dial rule, decimals up to the label length).
    QString LabelPattern() const;
    TPoint PointAt(double AngleDegrees, double Radius) const;
    std::vector<TPoint> ArcPoints(double FromValue, double ToValue, double Radius) const;
    void DrawMeter(TCanvas* Canvas);
    void DrawPointer(TCanvas* Canvas);
    // Redraws the rectangle of a pointer move at once.
    void MovePointer(double OldPointer);
    // Pulls the pointer back after a change of the scale ends.
    void ClampPointerToScale();
    void CheckRange();
    void Report(int Status);
    void NormaliseRanges() { FRanges.Normalise(FValueMin, FValueMax); }
    void Changed();
    void ScaleChanged();

    QString FVersion;
    QString FCopyright;
    double FMeterAngle1 = -90.0;
    double FMeterAngle2 = 90.0;
    double FValueMin = 0.0;
    double FValueMax = 100.0;
    double FValue = 0.0;
    double FValueGap = 10.0;
    int FIndicatorScale = 100;
    int FMeterScaleWidth = 10;
    int FMeterScale = 100;
    int FBevelOuterWidth = 1;
    int FValueDecimals = 0;
    int FMeterShiftX = 0;
    int FMeterShiftY = 0;
    TColor FIndicatorColor = clBlack;
    bool FReduceFlicker = false;
    QString FLegend1;
    QString FLegend2;
    TIndicatorStyle FIndicatorStyle = indWedge;
    TLabelingStyle FLabelingStyle = labOutside;
    TTickStyle FTickStyle = ticFull;
    TLegendPosition FLegendPosition = LegBottom;
    TRangeTable FRanges;

    double FPointerValue = 0.0;
    int FRangeStatus = 0;
    TGeometry FGeometry;
    // The size the geometry was computed for, and the size last painted.
    QSize FScaledSize{-1, -1};
    QSize FPaintedSize{-1, -1};
    std::unique_ptr<TBitmap> FBuffer;
};

} // namespace Tessaron
