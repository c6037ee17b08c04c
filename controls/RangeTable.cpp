#include "controls/RangeTable.h"

#include <platform/Streaming.h>

#include <QMetaType>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tessaron {

namespace {
[[maybe_unused]] const bool RangeCheckRegistered = [] {
    RegisterEventType<TRangeCheck>();
    return true;
}();
} // namespace

TRangeTable::TRangeTable(TColor Color, double Limit)
{
    for (TRangeEntry& e : FEntries) {
        e.Color = Color;
        e.Limit = Limit;
    }
}

bool TRangeTable::SetNumber(int Value)
{
    if (Value < 1 || Value > Capacity || Value == FNumber)
        return false;
    FNumber = Value;
    return true;
}

bool TRangeTable::SetCurrent(int Value)
{
    if (Value < 1 || Value > Capacity || Value == FCurrent)
        return false;
    FCurrent = Value;
    return true;
}

double TRangeTable::Limit() const
{
    return CurrentInUse() ? FEntries[size_t(FCurrent - 1)].Limit : 0.0;
}

bool TRangeTable::SetLimit(double Value)
{
    if (!CurrentInUse() || !std::isfinite(Value))
        return false;
    double& limit = FEntries[size_t(FCurrent - 1)].Limit;
    if (limit == Value)
        return false;
    limit = Value;
    return true;
}

TColor TRangeTable::Color() const
{
    return CurrentInUse() ? FEntries[size_t(FCurrent - 1)].Color : clBlack;
}

bool TRangeTable::SetColor(TColor Value)
{
    if (!CurrentInUse())
        return false;
    TColor& color = FEntries[size_t(FCurrent - 1)].Color;
    if (color == Value)
        return false;
    color = Value;
    return true;
}

bool TRangeTable::Watched() const
{
    return CurrentInUse() && FEntries[size_t(FCurrent - 1)].Watched;
}

bool TRangeTable::SetWatched(bool Value)
{
    if (!CurrentInUse())
        return false;
    bool& watched = FEntries[size_t(FCurrent - 1)].Watched;
    if (watched == Value)
        return false;
    watched = Value;
    return true;
}

const TRangeEntry& TRangeTable::Entry(int Index) const
{
    return FEntries[size_t(std::clamp(Index, 1, Capacity) - 1)];
}

void TRangeTable::Normalise(double ValueMin, double ValueMax)
{
    for (int i = 0; i < FNumber; ++i) {
        double& limit = FEntries[size_t(i)].Limit;
        if (limit > ValueMax)
            limit = ValueMax;
        if (limit < ValueMin)
            limit = ValueMin;
    }
    FEntries[size_t(FNumber - 1)].Limit = ValueMax;
}

QVariantList TRangeTable::ToList(bool WithWatched) const
{
    QVariantList list;
    for (int i = 0; i < FNumber; ++i) {
        const TRangeEntry& e = FEntries[size_t(i)];
        list.append(qlonglong(e.Color));
        if (WithWatched)
            list.append(e.Watched);
        list.append(e.Limit);
    }
    return list;
}

bool ListNumber(const QVariant& Item, double* Value)
{
    const int type = Item.typeId();
    if (type != QMetaType::Double && type != QMetaType::LongLong && type != QMetaType::Int
        && type != QMetaType::Float)
        return false;
    const double v = Item.toDouble();
    if (!std::isfinite(v))
        return false;
    *Value = v;
    return true;
}

bool ReadNumberList(const QVariantList& List, bool WithRanges, int Count, double* Values, QString* Error)
{
    const auto fail = [&](const QString& Text) {
        if (Error)
            *Error = Text;
        return false;
    };
    const int first = WithRanges ? 1 : 0;
    if (WithRanges && (List.size() != Count + 1 || List[0].typeId() != QMetaType::QVariantList))
        return fail(QStringLiteral("a list of ranges and %1 numbers expected").arg(Count));
    if (!WithRanges && List.size() != Count)
        return fail(QStringLiteral("%1 numbers expected, %2 found").arg(Count).arg(List.size()));
    for (int i = 0; i < Count; ++i)
        if (!ListNumber(List[first + i], &Values[i]))
            return fail(QStringLiteral("entry %1 is not a finite number").arg(first + i + 1));
    return true;
}

bool TRangeTable::FromList(const QVariantList& List, bool WithWatched, QString* Error)
{
    const auto fail = [&](const QString& Text) {
        if (Error)
            *Error = Text;
        return false;
    };
    const int group = WithWatched ? 3 : 2;
    const QString shape = WithWatched ? QStringLiteral("colour, flag and limit") : QStringLiteral("colour and limit");
    if (List.isEmpty() || List.size() % group != 0)
        return fail(QStringLiteral("the range list needs groups of %1, %2 entries found").arg(shape).arg(List.size()));
    const int count = int(List.size()) / group;
    if (count > Capacity)
        return fail(QStringLiteral("at most %1 ranges, %2 found").arg(Capacity).arg(count));

    std::array<TRangeEntry, Capacity> entries = FEntries;
    for (int i = 0; i < count; ++i) {
        const QVariant& color = List[i * group];
        const qlonglong c = color.toLongLong();
        if ((color.typeId() != QMetaType::LongLong && color.typeId() != QMetaType::Int)
            || c < std::numeric_limits<qint32>::min() || c > qlonglong(std::numeric_limits<quint32>::max()))
            return fail(QStringLiteral("range %1: the colour is not a 32-bit integer").arg(i + 1));
        entries[size_t(i)].Color = TColor(qint32(quint32(c)));
        if (WithWatched) {
            const QVariant& flag = List[i * group + 1];
            if (flag.typeId() != QMetaType::Bool)
                return fail(QStringLiteral("range %1: True or False expected").arg(i + 1));
            entries[size_t(i)].Watched = flag.toBool();
        }
        if (!ListNumber(List[i * group + group - 1], &entries[size_t(i)].Limit))
            return fail(QStringLiteral("range %1: the limit is not a finite number").arg(i + 1));
    }
    FEntries = entries;
    FNumber = count;
    return true;
}

} // namespace Tessaron
