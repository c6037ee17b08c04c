#include <gtest/gtest.h>
#include <platform/Forms.h>

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests expect the point as decimal separator unless they set a locale themselves.
    QLocale::setDefault(QLocale::c());
    Tessaron::TApplicationHost app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
