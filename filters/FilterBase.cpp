#include "filters/FilterBase.h"

#include <cmath>
#include <limits>

namespace Tessaron {

namespace {

// An extended value of a stored description as a 32-bit float, rounded as the
// hardware converts: beyond the float range to an infinity.
float ToSingle(double Value)
{
    // A cast of a double beyond the float range is undefined in C++, so the
    // rounding is spelled out: up to half a unit in the last place above the
    // largest float gives that float, beyond it an infinity.
    constexpr double Max = std::numeric_limits<float>::max();
    constexpr double Limit = Max + 0x1p103; // FLT_MAX plus half its last-place unit
    if (Value >= Limit)
        return std::numeric_limits<float>::infinity();
    if (Value <= -Limit)
        return -std::numeric_limits<float>::infinity();
    if (Value > Max)
        return std::numeric_limits<float>::max();
    if (Value < -Max)
        return -std::numeric_limits<float>::max();
    return static_cast<float>(Value); // NaN stays NaN
}

} // namespace

TFilterComponent::TFilterComponent(TComponent* AOwner)
    : TComponent(AOwner)
    , FVersion(QStringLiteral("V1.01"))
    , FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik"))
{
}

bool TFilterComponent::IsAbove(float Value, float Limit)
{
    return Value > Limit && std::isfinite(Value);
}

bool TFilterComponent::AssignFrequency(float& Field, float Value)
{
    if (!IsAbove(Value, 0.0f) || Value == Field)
        return false;
    Field = Value;
    UpdateCoefficients();
    return true;
}

void TFilterComponent::SetSampleFrequency(float Value)
{
    AssignFrequency(FSampleFrequency, Value);
}

void TFilterComponent::SetCutoffFrequency(float Value)
{
    AssignFrequency(FCutoffFrequency, Value);
}

void TFilterComponent::Filter(float* Data, int Count)
{
    if (!Data || Count < 1)
        return;
    DoFilter(Data, Count);
}

QString TFilterComponent::ListPropertyName() const
{
    return QStringLiteral("Floats");
}

void TFilterComponent::GetFloatsExtra(std::vector<double>&, std::vector<int>&) const
{
}

void TFilterComponent::SetFloatsExtra(const std::vector<float>&, const std::vector<int>&)
{
}

bool TFilterComponent::ReadListProperty(const QVariantList& List, QString* Error)
{
    const auto fail = [&](const QString& Text) {
        if (Error)
            *Error = QStringLiteral("%1 (%2), \"Floats\": %3")
                         .arg(Name().isEmpty() ? QStringLiteral("unnamed") : Name(), metaObject()->className(), Text);
        return false;
    };
    const int extended = 2 + FloatsExtendedCount();
    const std::vector<TFloatsInteger> ranges = FloatsIntegerRanges();
    const int expected = extended + int(ranges.size());
    if (List.size() != expected)
        return fail(QStringLiteral("%1 values expected, %2 found").arg(expected).arg(List.size()));

    std::vector<float> floats;
    for (int i = 0; i < extended; ++i) {
        const QVariant& v = List[i];
        const int type = v.typeId();
        if (type != QMetaType::Double && type != QMetaType::LongLong && type != QMetaType::Int
            && type != QMetaType::Float)
            return fail(QStringLiteral("entry %1 is not a number").arg(i + 1));
        floats.push_back(ToSingle(v.toDouble()));
    }
    std::vector<int> integers;
    for (size_t k = 0; k < ranges.size(); ++k) {
        const int i = extended + int(k);
        const QVariant& v = List[i];
        if (v.typeId() != QMetaType::LongLong && v.typeId() != QMetaType::Int)
            return fail(QStringLiteral("entry %1 is not an integer").arg(i + 1));
        const qlonglong n = v.toLongLong();
        if (n < ranges[k].Min || n > ranges[k].Max)
            return fail(QStringLiteral("entry %1 (%2) is out of range %3 .. %4")
                            .arg(i + 1)
                            .arg(n)
                            .arg(ranges[k].Min)
                            .arg(ranges[k].Max));
        integers.push_back(int(n));
    }

    FSampleFrequency = floats[0];
    FCutoffFrequency = floats[1];
    SetFloatsExtra(std::vector<float>(floats.begin() + 2, floats.end()), integers);
    UpdateCoefficients();
    return true;
}

QVariantList TFilterComponent::WriteListProperty() const
{
    QVariantList list{double(FSampleFrequency), double(FCutoffFrequency)};
    std::vector<double> extended;
    std::vector<int> integers;
    GetFloatsExtra(extended, integers);
    for (double v : extended)
        list.append(v);
    for (int v : integers)
        list.append(qlonglong(v));
    return list;
}

} // namespace Tessaron
