#include "controls/ScaleFormat.h"

#include <platform/SysUtils.h>

#include <algorithm>
#include <cmath>

namespace Tessaron {

QString ScaleLabelPattern(const TScaleFormatRule& Rule, double ValueMin, double ValueMax, int Decimals)
{
    if (ValueMin <= -Rule.Limit || ValueMax >= Rule.Limit)
        return QString::fromLatin1(Rule.Scientific);
    if ((ValueMax < Rule.Small || ValueMin > -Rule.Small) && ValueMax - ValueMin < Rule.Small)
        return QString::fromLatin1(Rule.Scientific);
    return DecimalsPattern(Decimals);
}

qint64 ScaleMarkCount(double Span, double Gap)
{
    const double q = Span / Gap;
    if (!(q >= 0))
        return 0;
    return q >= double(MaxScaleMarks) ? MaxScaleMarks : Trunc(q) + 1;
}

QString ScaleLabel(const QString& Pattern, double Value, int MaxLength)
{
    QString text = FormatFloat(Pattern, Value);
    if (MaxLength > 0 && text.size() > MaxLength)
        text.truncate(MaxLength);
    return text;
}

qint64 CircularLabelStep(double Span, double Gap, double ArcLength, int Width, int WidestText)
{
    if (!(Span > 0) || !(Gap > 0))
        return 0;
    const double pixels = Span * Width < Gap ? double(Width) : (ArcLength - 1) * Gap / Span;
    if (!(pixels >= 1) || !std::isfinite(pixels))
        return 0;
    const qint64 n = Trunc(std::min(pixels, 1e15));
    if (WidestText <= n)
        return 1;
    return (qint64(WidestText) + n - 1) / n;
}

} // namespace Tessaron
