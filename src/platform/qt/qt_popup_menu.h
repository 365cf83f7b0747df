// PopupMenu on QMenu: the popup menu the main window and the tray icon show. Items carry
// their command id; Show returns the chosen id, 0 when the menu was dismissed.
#pragma once

#include <QIcon>
#include <memory>
#include <string>
#include <vector>

#include "core/ui/menus.h"

class QAction;
class QMenu;

namespace tv {

class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // The whole menu, submenus included, from the core's model.
    static std::unique_ptr<PopupMenu> fromModel(const MenuModel& model);

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    QMenu* hwnd() const { return menu_.get(); }

    // "-" appends a separator. A caption may hold a tab followed by the shortcut label.
    void add(int id, const std::string& text, bool isDefault = false, bool checked = false,
             MenuState state = MenuState::kEnabled, const QIcon& uncheckedIcon = {},
             const QIcon& checkedIcon = {});
    // Appends `submenu` under its Caption; it must outlive this menu's use.
    void add(int id, PopupMenu& submenu, bool isDefault = false, bool checked = false,
             MenuState state = MenuState::kEnabled);
    void remove(int position);

    // Modal; at the mouse position, or at the given screen position.
    int show();
    int show(int x, int y);

    // The id an action of this menu or of its submenus carries.
    static int idOf(const QAction* action);

private:
    void apply(QAction* action, int id, bool isDefault, bool checked, MenuState state);

    std::unique_ptr<QMenu> menu_;
    std::string caption_;
    std::vector<std::unique_ptr<PopupMenu>> owned_;  // submenus built by fromModel
};

}  // namespace tv
