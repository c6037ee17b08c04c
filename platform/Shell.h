#pragma once
// Running other programs.

#include <QString>

namespace Tessaron {

// Starts a command line ("xdg-open Handbuch.html") detached from this program:
// the first word names the program, the rest are its arguments (quotes group
// words). Failure to start (a missing program, an empty line) is ignored
// silently, and the program's outcome is not waited for.
void RunDetached(const QString& CommandLine);

} // namespace Tessaron
