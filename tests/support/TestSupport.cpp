#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <random>

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

bool WaitFor(const std::function<bool()>& Done, int TimeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!Done()) {
        if (clock.elapsed() > TimeoutMs)
            return false;
        RunEventLoopFor(2);
    }
    return true;
}

std::vector<float> Uniform(int Count, unsigned Seed, float Lo, float Hi)
{
    std::mt19937 gen(Seed);
    std::uniform_real_distribution<float> uni(Lo, Hi);
    std::vector<float> v(std::size_t(std::max(Count, 0)));
    for (float& x : v)
        x = uni(gen);
    return v;
}
}
