#include "list_box.h"

#include <QListWidget>

#include "ansi_text.h"
#include "store_error.h"

namespace controls {

namespace {
[[noreturn]] void badIndex() { throw store::StoreError("Invalid property array index"); }
}  // namespace

ListBox::ListBox(Container& parent, QString name) : ListControl(parent, std::move(name)) {}

void ListBox::AddItem(const QString& item, int index) {
  QListWidget* l = list();
  if (index > l->count() || index < -1) badIndex();
  if (index == -1) {
    index = l->count();
    if (sorted_) {
      const std::string key = item.toStdString();
      index = 0;
      while (index < l->count() && runtime::ansiCompareNoCase(l->item(index)->text().toStdString(), key) <= 0) ++index;
    }
  }
  const int selected = ListIndex();
  l->insertItem(index, item);
  newIndex_ = index;
  if (selected >= index) moveSelection(selected + 1);
}

void ListBox::RemoveItem(int index) {
  QListWidget* l = list();
  if (index < 0 || index >= l->count()) badIndex();
  const int selected = ListIndex();
  if (selected == index) moveSelection(-1);
  delete l->takeItem(index);
  if (selected > index) moveSelection(selected - 1);
}

void ListBox::Clear() {
  showRows({});
  newIndex_ = -1;
}

void ListBox::setList(int index, const QString& item) {
  if (index < 0 || index >= list()->count()) badIndex();
  list()->item(index)->setText(item);
}

void ListBox::setMultiSelect(int mode) {
  multiSelect_ = mode;
  list()->setSelectionMode(mode == 0 ? QAbstractItemView::SingleSelection : QAbstractItemView::MultiSelection);
}

bool ListBox::Selected(int index) const {
  QListWidgetItem* item = list()->item(index);
  if (!item) badIndex();
  return multiSelect_ == 0 ? index == ListIndex() : item->isSelected();
}

void ListBox::setSelected(int index, bool selected) {
  QListWidgetItem* item = list()->item(index);
  if (!item) badIndex();
  if (multiSelect_ == 0) {
    if (selected)
      setListIndex(index);
    else if (index == ListIndex())
      setListIndex(-1);
    return;
  }
  item->setSelected(selected);
}

int ListBox::SelCount() const {
  if (multiSelect_ == 0) return ListIndex() >= 0 ? 1 : 0;
  return static_cast<int>(list()->selectedItems().size());
}

void ListBox::userChoseEntry(int index, int shift) {
  QListWidget* l = list();
  if (multiSelect_ == 0) {
    moveSelection(index);
    return;
  }
  // ListIndex is the entry with the focus; the selection is kept apart.
  const bool wasSelected = l->item(index)->isSelected();
  moveSelection(index);
  if (multiSelect_ == 1 || (shift & 2)) {
    l->item(index)->setSelected(!wasSelected);
    anchor_ = index;
  } else if ((shift & 1) && anchor_ >= 0) {
    l->clearSelection();
    for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) l->item(i)->setSelected(true);
  } else {
    l->clearSelection();
    l->item(index)->setSelected(true);
    anchor_ = index;
  }
}

}  // namespace controls
