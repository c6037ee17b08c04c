// Every window of the program, built from its description: each label, button
// and group-box text fits inside its control, and each such control inside its
// parent's interior (inside frames and bevels).
#include "app/Main.h"

#include <platform/Buttons.h>
#include <platform/ClassicStyle.h>
#include <platform/ExtPanels.h>
#include <platform/StdCtrls.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <memory>

using namespace Tessaron;

namespace {

int TextWidth(const QString& Text, const TFont* Font)
{
    return CaptionExtent(Text, Font->ToQFont()).width();
}

// The part of a parent that its children may use without covering its frame.
TRect Interior(const TWinControl* Parent)
{
    TRect r = Parent->ClientRect();
    if (auto* box = qobject_cast<const TGroupBox*>(Parent)) {
        const int inset = box->Ctl3D() ? 2 : 1;
        return TRect(inset, QFontMetrics(box->Font()->ToQFont()).height() / 2 + 1, r.Right - inset, r.Bottom - inset);
    }
    if (auto* panel = qobject_cast<const TPanel*>(Parent)) {
        const int inset = (panel->BevelOuter() != TPanel::bvNone ? panel->BevelWidth() : 0) + panel->BorderWidth()
            + (panel->BevelInner() != TPanel::bvNone ? panel->BevelWidth() : 0);
        return InflateRect(r, -inset, -inset);
    }
    return r;
}

// Width the control's text needs, or -1 for a control without a text to check.
int NeededWidth(const TControl* Control)
{
    const QString text = Control->property("Caption").toString();
    const int width = TextWidth(text, Control->Font());
    if (auto* label = qobject_cast<const TLabel*>(Control))
        return label->WordWrap() ? -1 : width;
    if (auto* button = qobject_cast<const TBitBtn*>(Control)) {
        const QImage glyph = button->Glyph()->Empty() ? TBitBtn::KindGlyph(button->Kind()) : button->Glyph()->Image();
        return width + (glyph.isNull() ? 0 : glyph.width() / std::max(1, button->NumGlyphs()) + button->Spacing()) + 4;
    }
    if (qobject_cast<const TButton*>(Control))
        return width + 4;
    if (qobject_cast<const TCheckBox*>(Control) || qobject_cast<const TRadioButton*>(Control))
        return width + 17;
    if (qobject_cast<const TGroupBox*>(Control))
        return text.isEmpty() ? -1 : width + 16;
    return -1;
}

void CheckTexts(TForm* Form)
{
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        auto* control = qobject_cast<TControl*>(Form->Components(i));
        const int needed = control ? NeededWidth(control) : -1;
        if (needed < 0 || !control->Visible())
            continue;
        const std::string where = (Form->metaObject()->className() + QStringLiteral(".") + control->Name()).toStdString();
        EXPECT_LE(needed, control->Width()) << where;
        if (const TWinControl* parent = control->Parent()) {
            const TRect inside = Interior(parent);
            const TRect r = control->BoundsRect();
            // Aligned controls are placed by their parent; the others keep inside.
            if (control->Align() == alNone) {
                EXPECT_GE(r.Left, inside.Left) << where;
                EXPECT_LE(r.Right, inside.Right) << where;
                EXPECT_LE(r.Bottom, parent->ClientHeight()) << where;
            }
        }
    }
}

} // namespace

TEST(WindowTexts, EveryTextFitsItsControlAndItsParent)
{
    QStringList classes = TTessaron32::WindowOrder();
    classes.prepend(QStringLiteral("TTessaron32"));
    for (const QString& name : classes) {
        if (!FindClass(name))
            continue; // not built into the program yet
        SCOPED_TRACE(name.toStdString());
        std::unique_ptr<TComponent> component(CreateComponent(name, nullptr));
        auto* form = qobject_cast<TForm*>(component.get());
        ASSERT_NE(form, nullptr);
        form->InitializeForm();
        CheckTexts(form);
    }
}
