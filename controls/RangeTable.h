#pragma once
// The range table of the slider, the bar graph and the analog meter: 16 fixed
// entries of an upper limit and a colour (the meter adds a watched flag), the
// first Number() of them in use. Range 1 reaches from ValueMin to limit 1,
// range i from limit i-1 to limit i, and the last range in use always ends at
// ValueMax. The published RangeLimit/RangeColor/RangeCheck properties address
// the entry Current(); beyond Number() they read 0 (false) and ignore writes.

#include <platform/Classes.h>
#include <platform/Types.h>

#include <QString>
#include <QVariantList>

#include <array>

namespace Tessaron {

struct TRangeEntry {
    TColor Color = clBtnFace;
    double Limit = 0.0;
    bool Watched = false;
};

class TRangeTable {
public:
    static constexpr int Capacity = 16;

    // Every entry starts with Color and Limit; one range, the first current.
    explicit TRangeTable(TColor Color = clBtnFace, double Limit = 100.0);

    // Ranges in use, 1..16; SetNumber ignores other values and returns
    // whether the number changed.
    int Number() const { return FNumber; }
    bool SetNumber(int Value);
    // The entry that Limit/Color/Watched address, 1..16 (may lie beyond Number).
    int Current() const { return FCurrent; }
    bool SetCurrent(int Value);
    bool CurrentInUse() const { return FCurrent <= FNumber; }

    // Entry Current(): 0, clBlack (0) and false beyond Number(). The setters
    // ignore a write beyond Number() or of an equal value and return whether
    // the entry changed. SetLimit ignores values that are not finite.
    double Limit() const;
    bool SetLimit(double Value);
    TColor Color() const;
    bool SetColor(TColor Value);
    bool Watched() const;
    bool SetWatched(bool Value);

    // Entry Index, 1..16 (clamped into that range).
    const TRangeEntry& Entry(int Index) const;

    // Clamps every limit in use into [ValueMin, ValueMax] and sets the limit
    // of the last range in use to ValueMax. Inverted bounds are taken as they
    // come (the lower bound is applied last), so nothing fails for them.
    void Normalise(double ValueMin, double ValueMax);

    // The stored form: a list of Number() groups, each colour (integer),
    // [watched flag (Boolean),] limit (float).
    QVariantList ToList(bool WithWatched) const;
    // Reads that form: 1 to 16 groups of numbers (a colour is an integer in
    // the 32-bit range, a limit a finite number, a flag True or False). On
    // success the entries are assigned directly (no normalisation) and
    // Number() becomes the group count; otherwise the table is unchanged and
    // Error names the fault.
    bool FromList(const QVariantList& List, bool WithWatched, QString* Error);

private:
    std::array<TRangeEntry, Capacity> FEntries;
    int FNumber = 1;
    int FCurrent = 1;
};

// A finite number from a description list (integer or float), or false.
bool ListNumber(const QVariant& Item, double* Value);

// The stored list of a control: with WithRanges, a nested list of ranges
// followed by Count numbers, otherwise Count numbers alone. The numbers go to
// Values (Count entries); false, with Error naming the entry, when the list
// has another shape or an entry is not a finite number.
bool ReadNumberList(const QVariantList& List, bool WithRanges, int Count, double* Values, QString* Error);

// The range event of the analog meter and the panel meter: the sender and the
// range the value has entered (a range number, or a negative code for leaving
// the scale; 0 for no watched range). Bindable by name in descriptions.
using TRangeCheck = TEvent<void(TObject* Sender, int Range)>;

} // namespace Tessaron
