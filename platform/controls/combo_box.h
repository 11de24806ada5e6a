#pragma once
// A combo box: a drop-down list of texts, with an edit field unless Style is
// 2 (drop-down list). Click comes whenever ListIndex changes, by the user or
// by the program; Change with every edit of the text field.

#include "control.h"

class QComboBox;

namespace controls {

class ComboBox : public Control {
 public:
  ComboBox(Container& parent, QString name);

  // 0 drop-down combo (edit field), 2 drop-down list.
  int Style() const { return style_; }
  void setStyle(int style);

  void AddItem(const QString& item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  int ListCount() const;
  QString List(int index) const;
  void setList(int index, const QString& item);
  int ListIndex() const { return listIndex_; }
  // Throws store::StoreError("Invalid property value") outside the list.
  void setListIndex(int index);
  // The edit field (Style 0) or the chosen entry.
  QString Text() const;
  // Style 0: fills the edit field; Style 2: chooses the entry of that text.
  void setText(const QString& text);

  std::function<void()> Change;

  // Test driver: the user opens the list and chooses entry `index`.
  bool select(int index);

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }
  bool clicksOnRelease() const override { return false; }

 private:
  QComboBox* combo() const;
  void userChose(int index);

  int style_ = 0;
  int listIndex_ = -1;
  bool quiet_ = false;
};

}  // namespace controls
