#pragma once
// A form's menus: the top items of its menu bar, each with the items under
// it. The bar is built, and its items numbered, when the form loads; a menu
// that dies before its form leaves it, and its command finds no item any more.

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "forms/win32/Handles.h"

namespace kalvenor::forms {

class Form;
class MenuBar;

class Menu {
public:
    struct Design {
        std::wstring_view caption;
    };
    Menu(Form& form, const Design& design);    // a top item of the form's menu bar
    Menu(Menu& parent, const Design& design);  // an item under a top item
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    std::function<void()> Click;

private:
    friend class MenuBar;
    MenuBar* bar_ = nullptr;  // a top item's bar
    Menu* parent_ = nullptr;  // an item's menu; null once that menu is gone
    Design design_;
    std::vector<Menu*> items_;
    int id_ = 0;
};

// A form's menu bar: its top items in order, and their numbering.
class MenuBar {
public:
    void Add(Menu& top) { tops_.push_back(&top); }
    void Remove(Menu& top) noexcept;
    bool Empty() const noexcept { return tops_.empty(); }
    // The bar, its items numbered from 100 in menu-bar order, each top item
    // followed by its items; null for a form without menus.
    UniqueMenu Build();
    Menu* Find(int id) const noexcept;

private:
    std::vector<Menu*> tops_;
};

}  // namespace kalvenor::forms
