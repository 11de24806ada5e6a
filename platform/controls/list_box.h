#pragma once
// A list box of texts the program adds, optionally sorted, with one or many
// selected entries.

#include "list_control.h"

namespace controls {

class ListBox : public ListControl {
 public:
  ListBox(Container& parent, QString name);

  // Adds `item` at `index` (-1: at the end, or in name order when Sorted).
  void AddItem(const QString& item, int index = -1);
  // Throws store::StoreError("Invalid property array index") outside the list.
  void RemoveItem(int index);
  void Clear();
  void setList(int index, const QString& item);
  // Index of the entry AddItem added last.
  int NewIndex() const { return newIndex_; }

  bool Sorted() const { return sorted_; }
  void setSorted(bool sorted) { sorted_ = sorted; }
  // 0 one entry, 1 a click toggles an entry, 2 Shift and Ctrl extend.
  int MultiSelect() const { return multiSelect_; }
  void setMultiSelect(int mode);
  bool Selected(int index) const;
  void setSelected(int index, bool selected);
  int SelCount() const;

 protected:
  void userChoseEntry(int index, int shift) override;

 private:
  int multiSelect_ = 0;
  bool sorted_ = false;
  int newIndex_ = -1;
  int anchor_ = -1;
};

}  // namespace controls
