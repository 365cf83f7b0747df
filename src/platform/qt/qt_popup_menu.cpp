#include "platform/qt/qt_popup_menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace tv {

namespace {

// Captions come from the string table and from event names, so a "&" is shown as it is
// rather than turned into a mnemonic.
QString menuText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return s;
}

}  // namespace

PopupMenu::PopupMenu() : menu_(std::make_unique<QMenu>()) {}
PopupMenu::~PopupMenu() = default;

void PopupMenu::setCaption(const std::string& caption) {
    caption_ = caption;
    menu_->setTitle(menuText(caption));
}

void PopupMenu::apply(QAction* action, int id, bool isDefault, bool checked, MenuState state) {
    action->setData(id);
    // Only a checked item is checkable: an unchecked one shows no empty box, as in the tray.
    action->setCheckable(checked);
    action->setChecked(checked);
    action->setEnabled(state == MenuState::kEnabled);
    if (isDefault) {
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        menu_->setDefaultAction(action);
    }
}

void PopupMenu::add(int id, const std::string& text, bool isDefault, bool checked, MenuState state,
                    const QIcon& uncheckedIcon, const QIcon& checkedIcon) {
    if (text == "-") {
        menu_->addSeparator()->setData(id);
        return;
    }
    QAction* action = menu_->addAction(menuText(text));
    apply(action, id, isDefault, checked, state);
    const QIcon& icon = checked && !checkedIcon.isNull() ? checkedIcon : uncheckedIcon;
    if (!icon.isNull()) action->setIcon(icon);
}

void PopupMenu::add(int id, PopupMenu& submenu, bool isDefault, bool checked, MenuState state) {
    QAction* action = menu_->addMenu(submenu.hwnd());
    apply(action, id, isDefault, checked, state);
}

void PopupMenu::remove(int position) {
    const QList<QAction*> actions = menu_->actions();
    if (position < 0 || position >= actions.size()) return;
    QAction* action = actions[position];
    menu_->removeAction(action);
    if (action->parent() == menu_.get()) delete action;
}

int PopupMenu::show() {
    return show(QCursor::pos().x(), QCursor::pos().y());
}

int PopupMenu::show(int x, int y) {
    const QAction* chosen = menu_->exec(QPoint(x, y));
    return chosen != nullptr ? idOf(chosen) : 0;
}

int PopupMenu::idOf(const QAction* action) {
    return action != nullptr ? action->data().toInt() : 0;
}

std::unique_ptr<PopupMenu> PopupMenu::fromModel(const MenuModel& model) {
    auto menu = std::make_unique<PopupMenu>();
    menu->setCaption(model.caption);
    for (const MenuItem& item : model.items) {
        if (item.separator) {
            menu->add(item.id, "-");
        } else if (!item.submenu.empty()) {
            auto sub = fromModel(MenuModel{item.text, item.submenu});
            menu->add(item.id, *sub, item.isDefault, item.checked, item.state);
            menu->owned_.push_back(std::move(sub));
        } else {
            menu->add(item.id, item.text, item.isDefault, item.checked, item.state);
        }
    }
    return menu;
}

}  // namespace tv
