#pragma once
// Driving the recorders' tool windows as a user does: modal dialogs run to a
// button, combo picks, clicks and edits left after typing.

#include <platform/Forms.h>
#include <platform/StdCtrls.h>

#include <QTest>
#include <QTimer>

#include <functional>

namespace ToolWindowTest {

// Runs Dialog modally; Steps act on it once it shows, then press Button.
inline int RunModal(Tessaron::TForm* Dialog, const std::function<void()>& Steps, Tessaron::TButton* Button)
{
    QTimer::singleShot(0, [&] {
        Steps();
        Button->Click();
    });
    return Dialog->ShowModal();
}

// The user picks Index in a combo box.
inline void Pick(Tessaron::TComboBox* Box, int Index)
{
    Box->SetItemIndex(Index);
    Tessaron::CallEvent(Box->OnChange, Box);
}

// The user clicks a tool bar button.
inline void ClickOn(Tessaron::TControl* Button)
{
    QTest::mouseClick(Button->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
}

// The user types Text into an edit and leaves it.
inline void Enter(Tessaron::TEdit* Edit, const QString& Text)
{
    Edit->SetText(Text);
    Tessaron::CallEvent(Edit->OnExit, Edit);
}

} // namespace ToolWindowTest
