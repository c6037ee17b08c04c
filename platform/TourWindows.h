#pragma once
// A window whose components show tool windows of their own: the program's
// screenshot tour pictures those too, after the window, as
// <window class>_<tool class>.png.

#include <vector>

namespace Tessaron {
class TForm;
}

namespace Tessaron::Demo {

class TTourWindows {
public:
    virtual ~TTourWindows() = default;
    virtual std::vector<TForm*> TourWindows() const = 0;
};

} // namespace Tessaron::Demo
