#pragma once
// Command line of the examples, so that tests can run them unattended:
//   --ticks N        quit after N ticks of the example's timer
//   --picture FILE   save a picture of the window when quitting

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace Example {

// Counts the ticks of Timer and quits the application after the number the
// command line gives, saving the window's picture if asked to.
inline void QuitAfterTicks(QTimer& Timer, QWidget& Window)
{
    const QStringList args = QApplication::arguments();
    const qsizetype ticks = args.indexOf(QStringLiteral("--ticks"));
    if (ticks < 0 || ticks + 1 >= args.size())
        return;
    const int limit = args[ticks + 1].toInt();
    const qsizetype picture = args.indexOf(QStringLiteral("--picture"));
    const QString file = picture >= 0 && picture + 1 < args.size() ? args[picture + 1] : QString();
    auto count = std::make_shared<int>(0);
    QObject::connect(&Timer, &QTimer::timeout, &Window, [count, limit, file, &Window] {
        if (++*count < limit)
            return;
        if (!file.isEmpty() && !Window.grab().save(file))
            QApplication::exit(2);
        else
            QApplication::quit();
    });
}

} // namespace Example
