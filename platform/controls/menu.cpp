#include "menu.h"

#include <algorithm>

namespace controls {

MenuItem::MenuItem(Menu& menu, QString name, QString caption)
    : menu_(menu), name_(std::move(name)), caption_(std::move(caption)) {
  menu_.items_.push_back(this);
}

MenuItem::~MenuItem() {
  auto& items = menu_.items_;
  items.erase(std::remove(items.begin(), items.end(), this), items.end());
}

Menu::Menu(Form& form, QString name, QString caption)
    : form_(form), name_(std::move(name)), caption_(std::move(caption)) {}

MenuItem* Menu::item(const QString& name) const {
  for (MenuItem* i : items_)
    if (i->Name() == name) return i;
  return nullptr;
}

}  // namespace controls
