// Every window of the program: written, read back into a new instance and
// written again gives the same description.

#include "support/TestSupport.h"

#include <platform/Forms.h>
#include <platform/Streaming.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

using namespace Tessaron;

TEST(ProgramDescriptions, WriteReadWriteIsAFixedPointForEveryWindow)
{
    int windows = 0;
    for (const char* folder : {"app", "controls", "filters", "analysis", "histograph", "stripchart"}) {
        QDirIterator it(TestSupport::SourcePath(folder), {"*.tfm"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const auto header = QRegularExpression(R"(^object\s+\w+\s*:\s*(\w+))").match(QString::fromUtf8(file.readLine()));
            ASSERT_TRUE(header.hasMatch()) << file.fileName().toStdString();
            const QString cls = header.captured(1);
            auto make = [&] { return std::unique_ptr<TForm>(qobject_cast<TForm*>(CreateComponent(cls, nullptr))); };
            std::unique_ptr<TForm> form = make();
            if (!form)
                continue;  // a window not built into the program
            ++windows;
            form->InitializeForm();
            const QByteArray first = WriteComponentText(form.get());
            std::unique_ptr<TForm> copy = make();
            ReadComponentText(copy.get(), first, cls);
            EXPECT_EQ(QString::fromUtf8(WriteComponentText(copy.get())), QString::fromUtf8(first)) << cls.toStdString();
        }
    }
    EXPECT_GE(windows, 15);
}
