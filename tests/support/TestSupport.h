#pragma once
// Helpers shared by the tests.
#include <QString>

namespace TestSupport {
// Absolute path of a file in the source tree.
QString SourcePath(const QString& relative);
}
