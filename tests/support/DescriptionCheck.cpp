#include "support/DescriptionCheck.h"

#include <platform/Forms.h>
#include <platform/Streaming.h>

#include <QWidget>

#include <exception>

namespace TestSupport {

using namespace Tessaron;

namespace {

QString ReadAndWrite(TForm* Form, const QByteArray& Text, QByteArray* Written)
{
    try {
        ReadComponentText(Form, Text, QStringLiteral("written"));
    } catch (const EReadError& e) {
        return QStringLiteral("the written description is refused: %1").arg(QString::fromUtf8(e.what()));
    }
    *Written = WriteComponentText(Form);
    return {};
}

void Paint(TControl* Control)
{
    if (Control->HasCanvas())
        (void)Control->BackingImage();
    if (auto* w = qobject_cast<TWinControl*>(Control))
        for (int i = 0; i < w->ControlCount(); ++i)
            Paint(w->Controls(i));
}

} // namespace

TDescriptionOutcome CheckDescription(const QByteArray& Text)
{
    TDescriptionOutcome result;
    try {
        TForm form(nullptr);
        const QByteArray fresh = WriteComponentText(&form);
        try {
            ReadComponentText(&form, Text, QStringLiteral("fuzz.tfm"));
        } catch (const EReadError& e) {
            result.Error = QString::fromUtf8(e.what());
            if (form.IsLoading())
                result.Problem = QStringLiteral("the form is still loading after a failed read");
            else if (form.ComponentCount() != 0)
                result.Problem = QStringLiteral("components remain after a failed read");
            else if (WriteComponentText(&form) != fresh)
                result.Problem = QStringLiteral("a failed read changed the form:\n%1")
                                     .arg(QString::fromUtf8(WriteComponentText(&form)));
            return result;
        }
        result.Read = true;
        Paint(&form);
        (void)form.Widget()->grab();
        const QByteArray first = WriteComponentText(&form);
        TForm copy(nullptr);
        QByteArray second;
        result.Problem = ReadAndWrite(&copy, first, &second);
        if (result.Problem.isEmpty() && second != first)
            result.Problem = QStringLiteral("write -> read -> write differs:\n%1\n---\n%2")
                                 .arg(QString::fromUtf8(first), QString::fromUtf8(second));
    } catch (const std::exception& e) {
        result.Problem = QStringLiteral("exception: %1").arg(QString::fromUtf8(e.what()));
    }
    return result;
}

} // namespace TestSupport
