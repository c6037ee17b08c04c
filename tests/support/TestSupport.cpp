#include "support/TestSupport.h"

namespace TestSupport {
QString SourcePath(const QString& relative)
{
#ifdef TESSARON_SOURCE_DIR
    return QStringLiteral(TESSARON_SOURCE_DIR "/") + relative;
#else
    return relative;
#endif
}
}
