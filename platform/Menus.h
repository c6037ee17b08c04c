#pragma once
// Menus: a tree of menu items shown as the menu bar of a form (TMainMenu) or
// as a pop-up menu at the mouse (TPopupMenu).

#include <platform/Classes.h>

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <memory>
#include <vector>

class QMenuBar;

namespace Tessaron {

class TMenu;

// The platform's menu font, shared by the menu bar and every drop-down:
// MS Sans Serif, 11 pixels, whatever the form's own font.
QFont MenuFont();

// One entry of a menu. Items nest: an item with children opens a submenu.
// A caption of "-" is a separator. Clicking an item raises OnClick; opening a
// top-level item's menu raises that item's OnClick too. The check mark shows
// Checked; clicking does not toggle it (handlers do).
class TMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool RadioItem READ RadioItem WRITE SetRadioItem)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(Tessaron::TNotifyEvent OnClick MEMBER OnClick)
    Q_CLASSINFO("Default:Enabled", "true")
    Q_CLASSINFO("Default:Visible", "true")
public:
    explicit TMenuItem(TComponent* AOwner = nullptr);
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value) { FRadioItem = Value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    bool IsSeparator() const { return FCaption == QLatin1String("-"); }

    // The item or main menu this one is nested in.
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    std::vector<TComponent*> ChildComponents() const override;
    TMenuItem* Parent() const { return FParentItem; }
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int Index) const;
    void Add(TMenuItem* Item);
    void Remove(TMenuItem* Item);
    // The main or pop-up menu the item's tree belongs to, or nullptr.
    TMenu* Menu() const;

    // Raises OnClick as a click on the item does.
    virtual void Click();

    // The Qt action of the item (created with the menu bar), or nullptr.
    QAction* Action() const { return FAction; }
    // The submenu of an item with children, or nullptr.
    QMenu* SubMenu() const { return FSubMenu; }

    TNotifyEvent OnClick;

private:
    friend class TMenu;
    void Build(QMenu* Into, QMenuBar* Bar);
    void ApplyToAction();

    QString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    QString FHint;
    TMenuItem* FParentItem = nullptr;
    TMenu* FMenu = nullptr;
    std::vector<TMenuItem*> FItems;
    QPointer<QAction> FAction;
    QPointer<QMenu> FSubMenu;
};

// The top-level items of a menu, shared by the main and the pop-up menu.
class TMenu : public TComponent {
    Q_OBJECT
public:
    explicit TMenu(TComponent* AOwner = nullptr);
    ~TMenu() override;
    // The top-level items.
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int Index) const;
    void Add(TMenuItem* Item);
    void Remove(TMenuItem* Item);
    std::vector<TComponent*> ChildComponents() const override;
    // Finds an item anywhere in the tree by its component name.
    TMenuItem* FindItem(const QString& Name) const;

protected:
    // Builds the top-level items into a menu bar or a drop-down menu.
    void BuildItems(QMenu* Into, QMenuBar* Bar);

private:
    std::vector<TMenuItem*> FItems;
};

class TMainMenu : public TMenu {
    Q_OBJECT
public:
    explicit TMainMenu(TComponent* AOwner = nullptr);
    // Fills a menu bar with the items (the form that shows the menu calls it).
    void BuildMenuBar(QMenuBar* Bar);
};

// A menu shown at the mouse by a right click on a control whose PopupMenu it
// is (when AutoPopup is on and the control does not use the click itself),
// or by Popup. OnPopup comes just before it shows.
class TPopupMenu : public TMenu {
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE SetAutoPopup)
    Q_PROPERTY(Tessaron::TNotifyEvent OnPopup MEMBER OnPopup)
    Q_CLASSINFO("Default:AutoPopup", "true")
public:
    explicit TPopupMenu(TComponent* AOwner = nullptr);
    ~TPopupMenu() override;
    // Whether a right click shows the menu; default true.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // Shows the menu with its top-left corner at the screen point (X, Y); the
    // call returns at once, the menu stays until an item is picked or it is
    // dismissed.
    void Popup(int X, int Y);
    // The menu last shown, or nullptr.
    QMenu* PopupWidget() const { return FPopup.get(); }

    TNotifyEvent OnPopup;

private:
    bool FAutoPopup = true;
    std::unique_ptr<QMenu> FPopup;
};

} // namespace Tessaron
