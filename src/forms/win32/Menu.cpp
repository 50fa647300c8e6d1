#include "forms/win32/Menu.h"

#include <string>

#include "forms/win32/Form.h"

namespace kalvenor::forms {

namespace {

// Above the ids that dialog navigation sends (IDOK, IDCANCEL) and below the
// controls' ids.
constexpr int kFirstMenuId = 100;

}  // namespace

Menu::Menu(Form& form, const Design& design) : bar_(&form.Menus()), design_(design) { bar_->Add(*this); }

Menu::Menu(Menu& parent, const Design& design) : parent_(&parent), design_(design) { parent.items_.push_back(this); }

Menu::~Menu() {
    for (Menu* item : items_) item->parent_ = nullptr;
    if (parent_) std::erase(parent_->items_, this);
    if (bar_) bar_->Remove(*this);
}

void MenuBar::Remove(Menu& top) noexcept { std::erase(tops_, &top); }

UniqueMenu MenuBar::Build() {
    if (tops_.empty()) return {};
    UniqueMenu bar(::CreateMenu());
    int id = kFirstMenuId;
    for (Menu* top : tops_) {
        top->id_ = id++;
        const std::wstring topCaption(top->design_.caption);
        if (top->items_.empty()) {
            ::AppendMenuW(bar.get(), MF_STRING, static_cast<UINT_PTR>(top->id_), topCaption.c_str());
            continue;
        }
        UniqueMenu popup(::CreatePopupMenu());
        for (Menu* item : top->items_) {
            item->id_ = id++;
            const std::wstring itemCaption(item->design_.caption);
            ::AppendMenuW(popup.get(), MF_STRING, static_cast<UINT_PTR>(item->id_), itemCaption.c_str());
        }
        if (::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), topCaption.c_str())) {
            popup.release();  // the bar owns it now
        }
    }
    return bar;
}

Menu* MenuBar::Find(int id) const noexcept {
    for (Menu* top : tops_) {
        if (top->id_ == id) return top;
        for (Menu* item : top->items_)
            if (item->id_ == id) return item;
    }
    return nullptr;
}

}  // namespace kalvenor::forms
