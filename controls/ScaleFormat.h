#pragma once
// The number format of scale labels, shared by the circular scales (dial,
// analog meter) and the linear ones (slider, bar graph). One rule picks a
// picture format for all labels of a scale from its range and decimals; the
// scales differ only in the thresholds and the scientific pattern.

#include <QString>
#include <QtGlobal>

namespace Tessaron {

struct TScaleFormatRule {
    // Scientific when ValueMin <= -Limit or ValueMax >= Limit.
    double Limit;
    // Scientific when (ValueMax < Small or ValueMin > -Small) and the span
    // ValueMax - ValueMin < Small: a tiny range near zero or away from it.
    double Small;
    // The scientific picture format.
    const char* Scientific;
};

// Dial and analog meter: "#.##E-00" beyond +-10000 or for spans below 0.0001.
inline constexpr TScaleFormatRule CircularScaleFormat{10000.0, 0.0001, "#.##E-00"};
// Slider and bar graph: "0.00E-00" beyond +-100000 or for spans below 0.001.
inline constexpr TScaleFormatRule LinearScaleFormat{100000.0, 0.001, "0.00E-00"};

// The picture format for the labels of a scale from ValueMin to ValueMax:
// the rule's scientific pattern, else "0." followed by Decimals zeros, or "0"
// when Decimals <= 0.
QString ScaleLabelPattern(const TScaleFormatRule& Rule, double ValueMin, double ValueMax, int Decimals);

// A label: Value formatted with the pattern (FormatFloat, locale decimal
// separator), cut to MaxLength characters when MaxLength > 0.
QString ScaleLabel(const QString& Pattern, double Value, int MaxLength = 0);

// The label spacing of a circular scale: labels stand at every k-th gap
// position, k the smallest number >= 1 with k * n >= WidestText, where n is
// the number of pixels between two gap positions on an arc of ArcLength
// pixels (n := Width when Span * Width < Gap, a gap wider than the scale).
// Returns 0 when n < 1: the arc has no room for labels.
qint64 CircularLabelStep(double Span, double Gap, double ArcLength, int Width, int WidestText);

// The most ticks or labels a scale draws: a gap far below a pixel (from a
// description's "Range" list, say) must not size a loop or an allocation.
inline constexpr qint64 MaxScaleMarks = 10000;
// The most labels: each is a text to lay out and draw, and a thousand
// already cover any scale a screen can show.
inline constexpr qint64 MaxScaleLabels = 1000;
// The number of marks Trunc(Span / Gap) + 1 from a first one, bounded to
// 0..MaxScaleMarks (0 when the quotient is not a number).
qint64 ScaleMarkCount(double Span, double Gap);

} // namespace Tessaron
