#include "controls/ScaleFormat.h"

#include <platform/SysUtils.h>

namespace Tessaron {

QString ScaleLabelPattern(const TScaleFormatRule& Rule, double ValueMin, double ValueMax, int Decimals)
{
    if (ValueMin <= -Rule.Limit || ValueMax >= Rule.Limit)
        return QString::fromLatin1(Rule.Scientific);
    if ((ValueMax < Rule.Small || ValueMin > -Rule.Small) && ValueMax - ValueMin < Rule.Small)
        return QString::fromLatin1(Rule.Scientific);
    if (Decimals > 0)
        return QStringLiteral("0.") + QString(Decimals, QLatin1Char('0'));
    return QStringLiteral("0");
}

QString ScaleLabel(const QString& Pattern, double Value, int MaxLength)
{
    QString text = FormatFloat(Pattern, Value);
    if (MaxLength > 0 && text.size() > MaxLength)
        text.truncate(MaxLength);
    return text;
}

} // namespace Tessaron
