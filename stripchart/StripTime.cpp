#include "stripchart/StripTime.h"

#include <platform/SysUtils.h>

#include <cmath>
#include <limits>

namespace Tessaron {
namespace StripTime {

namespace {

constexpr long double kDay = 86400.0L;

struct TUnitRow {
    TTimeKind Kind;
    const char* Suffix;
    const char* WidthSample;
};

const TUnitRow& RowFor(int D)
{
    static const TUnitRow rows[] = {
        {tkNano, "   [nsec:psec]", "000000000.000  "},
        {tkMicro, "   [\u00b5sec:nsec]", "000000.000  "},
        {tkMilli, "   [msec:\u00b5sec]", "000.000  "},
        {tkSecond, "   [sec:msec]", "00.000  "},
        {tkMinute, "   [min:sec]", "00:00  "},
        {tkHour, "   [h:min]", "00:00  "},
        {tkDay, "   [day]", "00:00  "},
    };
    if (D >= -9 && D <= -7)
        return rows[0];
    if (D >= -6 && D <= -4)
        return rows[1];
    if (D >= -3 && D <= -1)
        return rows[2];
    if (D >= 0 && D <= 1)
        return rows[3];
    if (D >= 2 && D <= 3)
        return rows[4];
    if (D >= 4 && D <= 5)
        return rows[5];
    return rows[6];
}

// The time of day of T as a date-time fraction, and T's day counted from the
// date-time zero; a negative day carries its time of day the classic way
// (integer part = day, fraction = time of day as its absolute value).
double ToDateTime(long double T)
{
    const long double day = std::floor(T / kDay);
    const long double tod = (T - day * kDay) / kDay;
    const long double dd = day - 693594.0L;
    return double(dd < 0 ? dd - tod : dd + tod);
}

// Thousandths of FracL(T * Scale), 0 ... 999 (never "1000" from rounding).
QString Thousandths(long double T, long double Scale, const char* Format)
{
    long double f = FracL(T * Scale);
    if (f < 0)
        f += 1;
    const long double m = std::floor(f * 1000.0L + 0.5L);
    return FormatFloat(QString::fromLatin1(Format), double(m >= 1000 ? 999 : m));
}

} // namespace

long double FracL(long double T)
{
    return T - std::trunc(T);
}

TTimeUnit UnitFor(int SamplesPerWindow, long double Increment)
{
    const long double duration = (long double)SamplesPerWindow * Increment;
    int d = 0;
    if (duration > 0 && std::isfinite(duration)) {
        d = int(Round(double(std::log10(duration))));
        if (d < 0)
            --d;
    }
    const TUnitRow& row = RowFor(d);
    return TTimeUnit{row.Kind, d, QString::fromUtf8(row.Suffix), QString::fromLatin1(row.WidthSample)};
}

QString DateTimeText(long double T)
{
    if (!(T > 1))
        return QStringLiteral("0000 000 00 00:00:00");
    if (T < kDay)
        return FormatDateTime(QStringLiteral("hh:nn:ss"), ToDateTime(T));
    return FormatDateTime(QStringLiteral("yyyy mmm dd hh:nn:ss"), ToDateTime(T));
}

QString Caption(const TTimeUnit& Unit, long double T)
{
    QString part;
    // Milliseconds of the second with the unit's fraction.
    long double f = FracL(T);
    if (f < 0)
        f += 1;
    switch (Unit.Kind) {
    case tkNano:
        part = QLatin1Char('.') + FormatFloat(QStringLiteral("000.000"), double(std::floor(f * 1e6L) / 1000.0L))
            + QLatin1Char('.') + Thousandths(T, 1e6L, "000");
        break;
    case tkMicro:
        part = QLatin1Char('.') + FormatFloat(QStringLiteral("000.000000"), double(f * 1000.0L));
        break;
    case tkMilli:
        part = QLatin1Char('.') + FormatFloat(QStringLiteral("000.000"), double(f * 1000.0L));
        break;
    case tkSecond:
        part = QLatin1Char('.') + Thousandths(T, 1.0L, "000");
        break;
    default:
        break;
    }
    return DateTimeText(T) + part + Unit.Suffix;
}

QString GridLabel(const TTimeUnit& Unit, long double T)
{
    const bool zero = !(T > 0);
    long double f = FracL(T);
    switch (Unit.Kind) {
    case tkNano:
        return zero ? QStringLiteral("00.000") : FormatFloat(QStringLiteral("00.000"), double(FracL(T * 1e7L) * 100));
    case tkMicro:
        return zero ? QStringLiteral("00.000") : FormatFloat(QStringLiteral("00.000"), double(FracL(T * 1e4L) * 100));
    case tkMilli:
        return zero ? QStringLiteral("000.000") : FormatFloat(QStringLiteral("000.000"), double(f * 1000));
    case tkSecond:
        return zero ? QStringLiteral("00.000")
                    : FormatDateTime(QStringLiteral("ss"), ToDateTime(T)) + QLatin1Char('.')
                + Thousandths(T, 1.0L, "000");
    case tkMinute:
        return zero ? QStringLiteral("00:00") : FormatDateTime(QStringLiteral("nn:ss"), ToDateTime(T));
    case tkHour:
        return zero ? QStringLiteral("00:00") : FormatDateTime(QStringLiteral("hh:nn"), ToDateTime(T));
    case tkDay:
        return zero ? QStringLiteral("00") : FormatDateTime(QStringLiteral("dd"), ToDateTime(T));
    }
    return {};
}

int LabelStep(int TextWidth, int PlotWidth, double Gap, int SamplesPerWindow, long double Increment)
{
    if (PlotWidth <= 0)
        return 1;
    const long double g = (long double)PlotWidth * Gap / ((long double)SamplesPerWindow * Increment);
    const long double steps = (long double)TextWidth / g + 0.5L;
    if (!(g > 0) || !std::isfinite(steps) || steps > (long double)(std::numeric_limits<int>::max() / 2))
        return 0;
    return int(std::max<qint64>(1, Round(double(steps))));
}

} // namespace StripTime
} // namespace Tessaron
