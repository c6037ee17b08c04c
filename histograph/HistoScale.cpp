#include "histograph/HistoScale.h"

#include <platform/SysUtils.h>

#include <algorithm>
#include <cmath>

namespace Tessaron {
namespace HistoScale {

QString LabelFormat(double Lo, double Hi, int Decimals)
{
    if (Lo <= -100000 || Hi >= 100000 || Hi - Lo < 0.001)
        return QStringLiteral("#.##E-00");
    return DecimalsPattern(Decimals);
}

bool GuardGap(double Lo, double Hi, int Pixels, double& Gap)
{
    if (Pixels <= 0)
        return false;
    const double range = Hi - Lo;
    if (Trunc(range * 2 / Gap) <= Pixels)
        return false;
    Gap = range * 2 / Pixels;
    return true;
}

double TLinearAxis::FirstMultiple() const
{
    double m = std::trunc(Lo / Gap);
    if (m * Gap < Lo)
        m += 1;
    return m;
}

int TLinearAxis::StepPixels() const
{
    return int(std::clamp<qint64>(Trunc(Pixels * Gap / (Hi - Lo)), 0, 1 << 30));
}

int TLinearAxis::LabelEvery(int NeedPixels) const
{
    // A step below one pixel cannot occur after the step guard; counting it as
    // one keeps the loop finite all the same.
    const qint64 step = std::max(1, StepPixels());
    qint64 every = 1;
    qint64 pixels = step;
    while (pixels < NeedPixels && every < (1 << 20)) {
        pixels += step;
        ++every;
    }
    return int(every);
}

int TLinearAxis::Offset(double V) const
{
    const double range = Hi - Lo;
    return int(std::clamp<qint64>(Trunc(Pixels * V / range) - Trunc(Pixels * Lo / range), -(1 << 30), 1 << 30));
}

void TLinearAxis::ForEachTick(int Every, bool Inclusive, const std::function<void(double)>& F) const
{
    if (!(Gap > 0) || !(Hi > Lo) || Every < 1)
        return;
    const double first = FirstMultiple();
    const double tolerance = Gap * 1e-4;
    const double limit = Inclusive ? Hi + tolerance : Hi - tolerance;
    // After the step guard there are at most about Pixels / 2 steps; the bound
    // only protects against arithmetic that no longer advances.
    const qint64 maxSteps = qint64(Pixels) + 4;
    for (qint64 n = 0; n <= maxSteps; n += Every) {
        const double v = (first + double(n)) * Gap;
        if (Inclusive ? !(v <= limit) : !(v < limit))
            break;
        F(v);
    }
}

TDecades DecadeRange(double Lo, double Hi)
{
    TDecades d;
    if (!(Lo > 0) || !(Hi > 0) || !std::isfinite(Lo) || !std::isfinite(Hi))
        return d;
    // A limit stored as the float next to a power of ten still counts as that
    // power: the same small tolerance, relative to the step (here a decade),
    // that the linear ticks allow.
    const double tolerance = 1e-4;
    const double a = std::log10(Lo) - tolerance;
    const double b = std::log10(Hi) + tolerance;
    double k1 = double(Round(a));
    if (k1 < a)
        k1 += 1;
    double k2 = double(Round(b));
    if (k2 > b)
        k2 -= 1;
    d.First = int(k1);
    d.Last = int(k2);
    return d;
}

QString DecadeLabel(int K, const TDecades& Decades)
{
    const double v = std::pow(10.0, K);
    if (Decades.First < -3 || Decades.Last > 3)
        return FormatFloat(QStringLiteral("#E+00"), v);
    return FloatToStrF(v, ffGeneral, 4, 0);
}

void ForEachMinorValue(double Lo, double Hi, const std::function<void(double)>& F)
{
    if (!(Lo > 0) || !(Hi > Lo) || !std::isfinite(Lo) || !std::isfinite(Hi))
        return;
    const double a = std::log10(Lo);
    int e = int(std::trunc(a));
    if (e > a)
        --e;
    qint64 m = Trunc(Lo / std::pow(10.0, e));
    if (m < 1)
        m = 1;
    auto advance = [&] {
        if (++m > 9) {
            m = 1;
            ++e;
        }
    };
    if (m > 9) {
        // Lo / 10^e rounded up to 10: Lo is the next decade's first value.
        m = 1;
        ++e;
    }
    while (double(m) * std::pow(10.0, e) < Lo)
        advance();
    // Nine values per decade; a float range spans fewer than 100 decades.
    for (int guard = 0; guard < 2000; ++guard) {
        const double v = double(m) * std::pow(10.0, e);
        if (!(v < Hi))
            break;
        F(v);
        advance();
    }
}

} // namespace HistoScale
} // namespace Tessaron
