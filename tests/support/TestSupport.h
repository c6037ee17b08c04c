#pragma once
// Helpers shared by the tests.
#include <QLocale>
#include <QString>

#include <functional>
#include <vector>

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
// Count values drawn evenly from [Lo, Hi), the same for the same Seed.
std::vector<float> Uniform(int Count, unsigned Seed, float Lo = -1.0f, float Hi = 1.0f);
// Sets the default locale for one scope; the test main's C locale comes back.
struct LocaleScope {
    explicit LocaleScope(const QLocale& Locale) { QLocale::setDefault(Locale); }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};
}
