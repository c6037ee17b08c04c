#pragma once
// The preview of a colour dragged from a colour grid over a recorder: the
// target under the mouse shows the colour until the drag moves to another
// target or leaves, and gets its own colour back then; a drop keeps it.

#include <platform/Graphics.h>

namespace Tessaron {

class TColorDropPreview {
public:
    // A drop target: its kind (0 = none) and, for a curve, its series.
    struct TTarget {
        int Kind = 0;
        int Series = 0;
        bool operator==(const TTarget&) const = default;
    };

    // Shows Color on Target (Get(TTarget) -> TColor, Set(TTarget, TColor)).
    template <class Get, class Set>
    void Over(TTarget Target, TColor Color, Get&& GetColor, Set&& SetColor)
    {
        if (Target == FShown)
            return;
        Leave(SetColor);
        FShown = Target;
        FSaved = GetColor(Target);
        SetColor(Target, Color);
    }
    // The previewed target gets its own colour back.
    template <class Set>
    void Leave(Set&& SetColor)
    {
        if (FShown.Kind != 0)
            SetColor(FShown, FSaved);
        FShown = TTarget{};
        FSaved = clWhite;
    }
    // Color goes to Target for good; a different previewed target is restored first.
    template <class Set>
    void Drop(TTarget Target, TColor Color, Set&& SetColor)
    {
        if (!(Target == FShown)) {
            Leave(SetColor);
            SetColor(Target, Color);
        }
        FShown = TTarget{};
        FSaved = clWhite;
    }
    TTarget Shown() const { return FShown; }

private:
    TTarget FShown;
    TColor FSaved = clWhite;
};

} // namespace Tessaron
