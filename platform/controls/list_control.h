#pragma once
// What list boxes, file list boxes and folder list boxes share: a column of
// entries, the selected one (ListIndex), and the user's clicks on entries.
// A press on an entry selects it before MouseDown runs, so MouseDown and
// Click both see the new ListIndex; Click comes whenever ListIndex changes,
// by the user (a press, a key) or by the program. Taking the focus changes
// no entry.

#include <QStringList>

#include "control.h"

class QListWidget;

namespace controls {

class ListControl : public Control {
 public:
  int ListCount() const { return listCount(); }
  int ListIndex() const { return listIndex_; }
  // Throws store::StoreError("Invalid property value") outside the list.
  void setListIndex(int index);
  // Entry `index`; the empty text outside the list.
  QString List(int index) const { return entry(index); }
  // The selected entry; empty when none is.
  QString Text() const { return entry(listIndex_); }
  // The first entry shown at the top.
  int TopIndex() const;
  void setTopIndex(int index);

  // Test drivers: the user presses (and releases) the mouse on entry
  // `index`, or double-clicks it.
  bool select(int index, int button = 1, int shift = 0);
  bool dblClickItem(int index);

  bool userPress(int button, int shift, QPointF twips) override;
  bool userDoubleClick(int button, int shift, QPointF twips) override;

 protected:
  ListControl(Container& parent, QString name);

  QListWidget* list() const;
  // Shows `rows` from the top, the first being entry `firstIndex` (below 0
  // in folder lists); ListIndex becomes -1 without Click.
  void showRows(const QStringList& rows, int firstIndex = 0);
  // Index of the first row (0 for plain lists, negative for folder lists).
  int firstIndex() const { return firstIndex_; }
  virtual int listCount() const;
  virtual QString entry(int index) const;
  // Moves the selection without raising Click; false when it did not change.
  bool moveSelection(int index);
  // The user pressed entry `index` with `shift`: multi-selection lists
  // change their selected entries here.
  virtual void userChoseEntry(int index, int shift);
  virtual void userOpenedEntry(int index) { (void)index; }

  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }
  bool clicksOnRelease() const override { return false; }

 private:
  int rowAt(QPointF twips) const;
  QPointF entryPoint(int index) const;

  int listIndex_ = -1;
  int firstIndex_ = 0;
  bool quiet_ = false;
};

}  // namespace controls
