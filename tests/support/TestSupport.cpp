#include "support/TestSupport.h"

#include <QEventLoop>
#include <QTimer>

namespace TestSupport {
QString SourcePath(const QString& relative)
{
#ifdef TESSARON_SOURCE_DIR
    return QStringLiteral(TESSARON_SOURCE_DIR "/") + relative;
#else
    return relative;
#endif
}

void RunEventLoopFor(int Ms)
{
    QEventLoop loop;
    QTimer::singleShot(Ms, &loop, &QEventLoop::quit);
    loop.exec();
}
}
