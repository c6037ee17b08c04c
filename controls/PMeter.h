#pragma once
// TPanelMeter: a digital panel meter. A framed display that shows Value with
// slanted seven-segment digits, an optional sign cell and a decimal point, and
// below the digits a row of annunciator "slots" (texts such as "OVERLOAD" or
// "Volts") that the program switches on and off. A display only: it takes no
// input. Range violations are reported through OnRangeCheck.
//
// A change of Value redraws only the digit cells, at once; frames and slots
// stay as they are.

#include <controls/RangeTable.h>
#include <platform/Controls.h>
#include <platform/Graphics.h>

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <array>
#include <memory>
#include <vector>

namespace Tessaron {

// The segments of one character cell. Segments 0..6 are top, upper right,
// middle, lower right, bottom, lower left and upper left; 7 is the decimal
// point. Each is a polygon of up to six points.
struct TSegmentPolygon {
    std::array<TPoint, 6> Points{};
    int Count = 0;
};

// What one layout pass computed from the control's size and settings.
struct TPanelMeterLayout {
    TRect Display;           // inside the three frames
    int H = 0;               // digit unit: the length of a segment
    int S = 0;               // segment thickness
    int E = 0;               // gap between segments
    int Q = 0;               // bevel of the middle segment's ends
    int M = 0;               // inset of the middle segment
    int X0 = 0;              // screen x of the first cell's origin
    int BaseY = 0;           // screen row of the digits' bottom line (y = 0)
    int Pitch = 0;           // distance from one cell to the next
    int Cells = 0;           // number of cells drawn (digits plus sign cell)
    // The polygons of the first cell in screen coordinates; cell i lies
    // i * Pitch further right.
    std::array<TSegmentPolygon, 8> Segments{};
    // False when the display is too small for any digit.
    bool Valid() const { return H > 0 && !Display.IsEmpty(); }
};

class TPanelMeter : public TGraphicControl {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one.
    Q_CLASSINFO("DefaultSize", "225x81")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(int Digits READ Digits WRITE SetDigits)
    Q_PROPERTY(int DecimalPoint READ DecimalPoint WRITE SetDecimalPoint)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin)
    Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax)
    Q_PROPERTY(double DisplayAngle READ DisplayAngle WRITE SetDisplayAngle)
    Q_PROPERTY(Tessaron::TColor BevelColor1 READ BevelColor1 WRITE SetBevelColor1)
    Q_PROPERTY(Tessaron::TColor BevelColor2 READ BevelColor2 WRITE SetBevelColor2)
    Q_PROPERTY(Tessaron::TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(Tessaron::TColor DisplayColor READ DisplayColor WRITE SetDisplayColor)
    Q_PROPERTY(QStringList Slots READ Slots WRITE SetSlots)
    Q_PROPERTY(Tessaron::TPanelMeter::TPanelMeterSign Sign READ Sign WRITE SetSign)
    Q_PROPERTY(Tessaron::TFont* SlotFont READ SlotFont WRITE SetSlotFont)
    Q_PROPERTY(Tessaron::TRangeCheck OnRangeCheck MEMBER OnRangeCheck)
    Q_CLASSINFO("Default:BevelWidth", "2")
    Q_CLASSINFO("Default:BorderWidth", "3")
    Q_CLASSINFO("Default:Digits", "4")
    Q_CLASSINFO("Default:DecimalPoint", "1")
    Q_CLASSINFO("Default:BevelColor1", "clBtnHighlight")
    Q_CLASSINFO("Default:BevelColor2", "clBtnShadow")
    Q_CLASSINFO("Default:BorderColor", "clBtnFace")
    Q_CLASSINFO("Default:DisplayColor", "clLime")
    Q_CLASSINFO("Default:Sign", "pmrNegative")

public:
    // pmrNegative: a sign cell in front of the digits shows "-" for negative
    // values. pmrOnlyPositive: no sign cell; negative values are shown (and
    // stored) as their absolute value.
    // Fixed underlying type: a value from outside the two names is defined and ignored by SetSign.
    enum TPanelMeterSign : int { pmrNegative, pmrOnlyPositive };
    Q_ENUM(TPanelMeterSign)

    // The range statuses OnRangeCheck reports.
    static constexpr int rcInRange = 0;
    static constexpr int rcBelowMin = -1;
    static constexpr int rcAboveMax = -2;
    static constexpr int rcNegative = -3;

    explicit TPanelMeter(TComponent* AOwner = nullptr);
    ~TPanelMeter() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Width of the outer raised and the inner sunken frame, 2 pixels by
    // default. Repaints.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // Width of the flat border between the two frames, 3 pixels by default.
    // Repaints.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    // Digit cells without the sign cell, 4 by default; 1 to MaxDigits, other
    // values are ignored. Rebuilds the display format and repaints.
    int Digits() const { return FDigits; }
    void SetDigits(int Value);
    // The decimal point follows this digit, counted from the left; 1 by
    // default, 0 = none (so does any value >= Digits); negative values are
    // ignored. Rebuilds the display format and repaints.
    int DecimalPoint() const { return FDecimalPoint; }
    void SetDecimalPoint(int Value);
    // The shown value, 0 by default. A real change is range-checked
    // (OnRangeCheck), made positive with pmrOnlyPositive and drawn at once.
    // Values that are not finite are ignored.
    double Value() const { return FValue; }
    void SetValue(double Value);
    // Lower and upper limit of the range check, -1.999 and 1.999 by default;
    // any finite value (ValueMin may exceed ValueMax). Repaints.
    double ValueMin() const { return FValueMin; }
    void SetValueMin(double Value);
    double ValueMax() const { return FValueMax; }
    void SetValueMax(double Value);
    // Slant of the digits in degrees (higher points move right), 5 by
    // default; any finite value. Repaints.
    double DisplayAngle() const { return FDisplayAngle; }
    void SetDisplayAngle(double Value);
    // Light and dark frame colours, clBtnHighlight and clBtnShadow. Repaint.
    TColor BevelColor1() const { return FBevelColor1; }
    void SetBevelColor1(TColor Value);
    TColor BevelColor2() const { return FBevelColor2; }
    void SetBevelColor2(TColor Value);
    // Colour of the flat border, clBtnFace. Repaints.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // Colour of lit segments and of active slot boxes, clLime. Repaints.
    TColor DisplayColor() const { return FDisplayColor; }
    void SetDisplayColor(TColor Value);
    // Texts of the annunciator slots, empty by default. A new list switches
    // every slot off; assigning the same texts again keeps their states.
    // Repaints.
    QStringList Slots() const { return FSlots; }
    void SetSlots(const QStringList& Value);
    // pmrNegative by default. Rebuilds the display format and repaints.
    TPanelMeterSign Sign() const { return FSign; }
    void SetSign(TPanelMeterSign Value);
    // Font of the slot texts: Arial, 8 points, bold, black. Assigning copies
    // the attributes. Repaints.
    TFont* SlotFont() const { return FSlotFont.get(); }
    void SetSlotFont(TFont* Value);

    // Raised with the new status when a change of Value changes it: -1 below
    // ValueMin, -2 above ValueMax, -3 negative with pmrOnlyPositive, else 0
    // (checked in this order). The status starts at 0; nothing is checked
    // while no handler is assigned.
    TRangeCheck OnRangeCheck;

    // Switches slot Index (from 0) on or off and redraws the slot row at once;
    // an index outside the list is ignored.
    void SetSlot(int Index, bool Active);
    // The state of slot Index; false outside the list.
    bool GetSlot(int Index) const;

    // The picture pattern the value is formatted with: with pmrNegative
    // " " + D + ";-" + D, else D, where D is Digits zeros with a "." after the
    // DecimalPoint-th one (" 0.000;-0.000" by default).
    QString DisplayFormat() const { return FDisplayFormat; }
    // The text DrawDigits shows: Value formatted with DisplayFormat (the
    // locale's decimal separator).
    QString DisplayText() const;
    // The status last reported through OnRangeCheck.
    int RangeStatus() const { return FRangeStatus; }
    // The digit layout for the current size and settings.
    TPanelMeterLayout Layout() const;
    // The slot boxes as DrawSlots lays them out (one per slot).
    std::vector<TRect> SlotRects() const;

    static constexpr int MaxDigits = 32;

    // "Range": Value, ValueMin, ValueMax, DisplayAngle, always written.
    // Reading takes exactly four finite numbers and assigns them directly.
    QString ListPropertyName() const override { return QStringLiteral("Range"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;
    void Loaded() override;

protected:
    void Paint() override;

private:
    void BuildDisplayFormat();
    // The rectangle inside the three frames.
    TRect DisplayRect() const;
    // Draws the digit cells (clipped to the display rectangle).
    void DrawDigits(TCanvas* Canvas);
    // Draws the slot row (clipped to the display rectangle).
    void DrawSlots(TCanvas* Canvas);
    // Draws at once outside Paint, when there is something to draw on.
    bool CanDrawNow() const;

    QString FVersion;
    QString FCopyright;
    int FBevelWidth = 2;
    int FBorderWidth = 3;
    int FDigits = 4;
    int FDecimalPoint = 1;
    double FValue = 0.0;
    double FValueMin = -1.999;
    double FValueMax = 1.999;
    double FDisplayAngle = 5.0;
    TColor FBevelColor1 = clBtnHighlight;
    TColor FBevelColor2 = clBtnShadow;
    TColor FBorderColor = clBtnFace;
    TColor FDisplayColor = clLime;
    QStringList FSlots;
    std::vector<bool> FSlotActive; // one state per entry of FSlots
    TPanelMeterSign FSign = pmrNegative;
    std::unique_ptr<TFont> FSlotFont;

    QString FDisplayFormat;
    int FRangeStatus = rcInRange;
};

// The lit segments (bits 0..6 for segments 1..7: top, upper right, middle,
// lower right, bottom, lower left, upper left) of a digit or "-"; 0 for any
// other character.
int SevenSegmentPattern(QChar C);

} // namespace Tessaron
