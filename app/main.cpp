// The demonstration program: creates every window once, in a fixed order,
// and runs the message loop. With --screenshots DIR it renders every window
// to DIR/<window class>.png without a display and exits.

#include <platform/FormRegistry.h>
#include "app/Main.h"
#include "app/Tour.h"

#include <platform/Forms.h>

#include <QDir>
#include <QFontDatabase>

#include <cstdio>

using namespace Tessaron;

namespace {

void CreateWindows()
{
    Application()->Initialize();
    Application()->CreateForm(Tessaron32);
    for (const QString& name : TTessaron32::WindowOrder())
        if (auto factory = FindFormFactory(name))
            Application()->AddForm(factory(Application()));
}

} // namespace

int main(int argc, char** argv)
{
    QString screenshots;
    for (int i = 1; i < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == QLatin1String("--screenshots") && i + 1 < argc)
            screenshots = QString::fromLocal8Bit(argv[i + 1]);
    if (!screenshots.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    TApplicationHost host(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    TApplication application;
    try {
        CreateWindows();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tessaron-demo: %s\n", e.what());
        return 1;
    }
    if (!screenshots.isEmpty())
        return Demo::RunScreenshotTour(screenshots) ? 0 : 1;
    return application.Run();
}
