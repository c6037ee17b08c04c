#include "platform/Menus.h"

#include "platform/Graphics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace Tessaron {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    for (TMenuItem* child : FItems)
        child->FParentItem = nullptr;
    FItems.clear();
    if (FParentItem)
        FParentItem->Remove(this);
    else if (FMenu)
        FMenu->Remove(this);
    if (FSubMenu)
        delete FSubMenu.data(); // takes its menu action along
    else
        delete FAction.data();
}

void TMenuItem::SetCaption(const QString& Text)
{
    const QString Value = WindowText(Text);
    if (FCaption == Value)
        return;
    FCaption = Value;
    ApplyToAction();
}

void TMenuItem::SetChecked(bool Value)
{
    if (FChecked == Value)
        return;
    FChecked = Value;
    ApplyToAction();
}

void TMenuItem::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    ApplyToAction();
}

void TMenuItem::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    ApplyToAction();
}

void TMenuItem::ApplyToAction()
{
    if (!FAction)
        return;
    FAction->setText(FCaption);
    FAction->setEnabled(FEnabled);
    FAction->setVisible(FVisible);
    FAction->setCheckable(FChecked || FRadioItem);
    FAction->setChecked(FChecked);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (FParentItem)
        return FParentItem;
    return FMenu;
}

void TMenuItem::SetParentComponent(TComponent* Value)
{
    if (auto* item = qobject_cast<TMenuItem*>(Value))
        item->Add(this);
    else if (auto* menu = qobject_cast<TMenu*>(Value))
        menu->Add(this);
}

std::vector<TComponent*> TMenuItem::ChildComponents() const
{
    return std::vector<TComponent*>(FItems.begin(), FItems.end());
}

TMenuItem* TMenuItem::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[size_t(Index)] : nullptr;
}

void TMenuItem::Add(TMenuItem* Item)
{
    if (!Item || Item == this)
        return;
    if (Item->FParentItem)
        Item->FParentItem->Remove(Item);
    else if (Item->FMenu)
        Item->FMenu->Remove(Item);
    FItems.push_back(Item);
    Item->FParentItem = this;
}

void TMenuItem::Remove(TMenuItem* Item)
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    Item->FParentItem = nullptr;
}

TMenu* TMenuItem::Menu() const
{
    const TMenuItem* top = this;
    while (top->FParentItem)
        top = top->FParentItem;
    return top->FMenu;
}

void TMenuItem::Click()
{
    if (FEnabled)
        CallEvent(OnClick, this);
}

void TMenuItem::Build(QMenu* Into, QMenuBar* Bar)
{
    if (IsSeparator()) {
        FAction = Into ? Into->addSeparator() : Bar->addSeparator();
        FAction->setVisible(FVisible);
        return;
    }
    if (!FItems.empty()) {
        FSubMenu = new QMenu(FCaption, Into ? static_cast<QWidget*>(Into) : static_cast<QWidget*>(Bar));
        FSubMenu->setSeparatorsCollapsible(false);
        FSubMenu->setFont(MenuFont());
        FAction = FSubMenu->menuAction();
        if (Into)
            Into->addMenu(FSubMenu);
        else
            Bar->addMenu(FSubMenu);
        // Opening a top-level menu counts as a click on its item.
        if (!Into)
            QObject::connect(FSubMenu, &QMenu::aboutToShow, this, [this] { GuardedCall([this] { Click(); }); });
        for (TMenuItem* child : FItems)
            child->Build(FSubMenu, nullptr);
    } else {
        FAction = new QAction(FCaption, Into ? static_cast<QObject*>(Into) : static_cast<QObject*>(Bar));
        if (Into)
            Into->addAction(FAction);
        else
            Bar->addAction(FAction);
        QObject::connect(FAction, &QAction::triggered, this, [this] {
            // The check mark follows Checked, not the click.
            FAction->setChecked(FChecked);
            GuardedCall([this] { Click(); });
        });
    }
    ApplyToAction();
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {}

TMenu::~TMenu()
{
    for (TMenuItem* item : FItems)
        item->FMenu = nullptr;
}

TMenuItem* TMenu::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[size_t(Index)] : nullptr;
}

void TMenu::Add(TMenuItem* Item)
{
    if (!Item)
        return;
    if (Item->FParentItem)
        Item->FParentItem->Remove(Item);
    else if (Item->FMenu)
        Item->FMenu->Remove(Item);
    FItems.push_back(Item);
    Item->FMenu = this;
}

void TMenu::Remove(TMenuItem* Item)
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    Item->FMenu = nullptr;
}

std::vector<TComponent*> TMenu::ChildComponents() const
{
    return std::vector<TComponent*>(FItems.begin(), FItems.end());
}

void TMenu::BuildItems(QMenu* Into, QMenuBar* Bar)
{
    for (TMenuItem* item : FItems)
        item->Build(Into, Bar);
}

QFont MenuFont()
{
    return TFont().ToQFont();
}

TMenuItem* TMenu::FindItem(const QString& Name) const
{
    std::vector<TMenuItem*> stack(FItems.rbegin(), FItems.rend());
    while (!stack.empty()) {
        TMenuItem* item = stack.back();
        stack.pop_back();
        if (item->Name() == Name)
            return item;
        for (int i = item->Count() - 1; i >= 0; --i)
            stack.push_back(item->Items(i));
    }
    return nullptr;
}

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TMainMenu::BuildMenuBar(QMenuBar* Bar)
{
    Bar->clear();
    Bar->setFont(MenuFont());
    BuildItems(nullptr, Bar);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int X, int Y)
{
    CallEvent(OnPopup, this);
    // Built afresh each time, so that it shows the items as they are now.
    FPopup = std::make_unique<QMenu>();
    FPopup->setFont(MenuFont());
    FPopup->setSeparatorsCollapsible(false);
    BuildItems(FPopup.get(), nullptr);
    FPopup->popup(QPoint(X, Y));
}

} // namespace Tessaron
