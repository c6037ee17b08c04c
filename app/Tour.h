#pragma once
// The screenshot tour: shows every window of the program in turn, starts its
// activity, lets its timers run for a moment and saves its picture.

#include <platform/TourWindows.h>

#include <QString>

#include <vector>

namespace Tessaron {
class TForm;
}

namespace Tessaron::Demo {

// Saves DIR/<window class>.png for every window; true when all were written.
bool RunScreenshotTour(const QString& Directory, int RunMilliseconds = 1200);

} // namespace Tessaron::Demo
