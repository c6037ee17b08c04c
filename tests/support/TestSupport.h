#pragma once
// Helpers shared by the tests.
#include <QString>

#include <functional>

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& S, std::ostream* Os)
{
    *Os << '"' << S.toStdString() << '"';
}

namespace TestSupport {
// Absolute path of a file in the source tree.
QString SourcePath(const QString& relative);
// Runs the event loop (timers, deferred paints) for the given milliseconds.
void RunEventLoopFor(int Ms);
// Runs the event loop in slices of 2 ms until Done() or the time is up;
// whether Done() came true.
bool WaitFor(const std::function<bool()>& Done, int TimeoutMs);
}
