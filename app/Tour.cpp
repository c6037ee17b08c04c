#include "app/Tour.h"

#include <platform/Forms.h>
#include <platform/Streaming.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QPainter>

#include <cstdio>

namespace Tessaron::Demo {

namespace {

void RunFor(int Milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < Milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window's picture under a classic caption bar, since an offscreen
// window has no frame of its own.
QImage Framed(TForm* Form)
{
    const QImage client = Form->Snapshot();
    const int caption = 18;
    const int border = 3;
    QImage image(client.width() + 2 * border, client.height() + caption + 2 * border, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawLine(0, 0, image.width() - 2, 0);
    p.drawLine(0, 0, 0, image.height() - 2);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(image.width() - 2, 1, image.width() - 2, image.height() - 2);
    p.drawLine(1, image.height() - 2, image.width() - 2, image.height() - 2);
    p.setPen(Qt::black);
    p.drawLine(image.width() - 1, 0, image.width() - 1, image.height() - 1);
    p.drawLine(0, image.height() - 1, image.width() - 1, image.height() - 1);
    p.fillRect(QRect(border, border, image.width() - 2 * border, caption - 1), QColor(0x00, 0x00, 0x80));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(border + 4, border, image.width() - 2 * border - 8, caption - 1), Qt::AlignVCenter | Qt::AlignLeft,
        Form->Caption());
    p.drawImage(border, border + caption, client);
    return image;
}

} // namespace

bool RunScreenshotTour(const QString& Directory, int RunMilliseconds)
{
    QDir().mkpath(Directory);
    // Errors during the tour are reported, not shown in message boxes.
    Application()->OnException = [](const QString& Message) {
        std::fprintf(stderr, "tessaron-demo: %s\n", Message.toLocal8Bit().constData());
    };
    bool ok = true;
    for (int i = 0; i < Application()->FormCount(); ++i) {
        TForm* form = Application()->Forms(i);
        if (!form)
            continue;
        const bool main = form == Application()->MainForm();
        if (main) {
            // The main window is shown at its stored size rather than maximised.
            form->SetWindowState(TForm::wsNormal);
        }
        form->Show();
        form->TourStart();
        RunFor(main ? 200 : RunMilliseconds);
        const QString name = StreamClassName(form->metaObject());
        auto save = [&](TForm* Window, const QString& FileName) {
            const QString file = QDir(Directory).filePath(FileName + QStringLiteral(".png"));
            if (!Framed(Window).save(file)) {
                std::fprintf(stderr, "tessaron-demo: cannot write %s\n", file.toLocal8Bit().constData());
                ok = false;
            } else {
                std::printf("%s\n", file.toLocal8Bit().constData());
            }
        };
        save(form, name);
        if (const auto* extras = dynamic_cast<const TTourWindows*>(form))
            for (TForm* tool : extras->TourWindows())
                save(tool, name + QLatin1Char('_') + StreamClassName(tool->metaObject()));
        if (!main)
            form->Close();
        RunFor(20);
    }
    return ok;
}

} // namespace Tessaron::Demo
