#pragma once
// The screenshot tour: shows every window of the program in turn, starts its
// activity, lets its timers run for a moment and saves its picture.

#include <QString>

#include <vector>

namespace Tessaron {
class TForm;
}

namespace Tessaron::Demo {

// A window whose components show tool windows of their own: the tour
// pictures those too, after the window, as <window class>_<tool class>.png.
class TTourWindows {
public:
    virtual ~TTourWindows() = default;
    virtual std::vector<TForm*> TourWindows() const = 0;
};

// Saves DIR/<window class>.png for every window; true when all were written.
bool RunScreenshotTour(const QString& Directory, int RunMilliseconds = 1200);

} // namespace Tessaron::Demo
