#pragma once
// The strip chart's time axis: the unit picked from the length of the visible
// window, the caption and grid label texts, and the label step. Times are
// seconds counted from the first day of year 1, held as long double. Plain
// functions, usable without a control.

#include <QString>

namespace Tessaron {
namespace StripTime {

// Seconds from year 1 to the platform's date-time zero, 30 December 1899
// (693594 days).
constexpr long double DateTimeZero = 693594.0L * 86400.0L;

// The scale of the time labels, from the finest to the coarsest.
enum TTimeKind { tkNano, tkMicro, tkMilli, tkSecond, tkMinute, tkHour, tkDay };

struct TTimeUnit {
    TTimeKind Kind = tkSecond;
    // The decade of the visible window's duration.
    int Decade = 0;
    // "   [sec:msec]" and so on.
    QString Suffix;
    // The text whose width one label needs.
    QString WidthSample;
};

// D = Round(log10(Samples * Increment)), minus 1 when negative; the unit of
// that decade. A window without a finite positive duration counts as D = 0.
TTimeUnit UnitFor(int SamplesPerWindow, long double Increment);

// "yyyy mmm dd hh:nn:ss" of time T with its own date and its own time of day
// (T mod 86400 s): times before 1899 are not mirrored. A time of at most one
// second gives "0000 000 00 00:00:00"; a time under one day has no date of
// its own and gives the time of day alone ("00:01:01").
QString DateTimeText(long double T);

// The caption of the newest sample's time T: the date and time, the unit's
// fraction of the second, and the unit suffix.
QString Caption(const TTimeUnit& Unit, long double T);

// The label of grid time T; a time <= 0 gives the zero pattern of the unit.
QString GridLabel(const TTimeUnit& Unit, long double T);

// Grid gaps between two labels: Round(TextWidth / g + 0.5), at least 1, with g
// = PlotWidth * Gap / (SamplesPerWindow * Increment) the pixels of one gap;
// 1 when the plot has no width. Returns 0 when the computation overflows (no
// finite step): the caller then resets the gap.
int LabelStep(int TextWidth, int PlotWidth, double Gap, int SamplesPerWindow, long double Increment);

// The fractional part of T (with T's sign).
long double FracL(long double T);

} // namespace StripTime
} // namespace Tessaron
