#include "platform/Shell.h"

#include <QProcess>
#include <QStringList>

namespace Tessaron {

void RunDetached(const QString& CommandLine)
{
    QStringList words = QProcess::splitCommand(CommandLine);
    if (words.isEmpty())
        return;
    const QString program = words.takeFirst();
    QProcess::startDetached(program, words);
}

} // namespace Tessaron
