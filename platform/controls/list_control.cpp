#include "list_control.h"

#include <QFocusEvent>
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>

#include "store_error.h"
#include "twips.h"

namespace controls {

namespace {

// A list that has no current entry gets its first one from Qt when it takes
// the focus by Tab, by the window's activation or from the window system.
// That entry is none the user chose: the focus leaves the current entry as
// it was.
class EntryList final : public QListWidget {
 public:
  bool takingFocus() const { return takingFocus_; }

 protected:
  void focusInEvent(QFocusEvent* event) override {
    const QPersistentModelIndex before = currentIndex();
    takingFocus_ = true;
    QListWidget::focusInEvent(event);
    if (currentIndex() != before) selectionModel()->setCurrentIndex(before, QItemSelectionModel::NoUpdate);
    takingFocus_ = false;
  }

 private:
  bool takingFocus_ = false;
};

}  // namespace

ListControl::ListControl(Container& parent, QString name)
    : Control(parent, std::move(name), new EntryList, Layer::Windowed) {
  QListWidget* l = list();
  adoptWidget(l->viewport());
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->setUniformItemSizes(true);
  // The keyboard moves the selection as a click would.
  QObject::connect(l, &QListWidget::currentRowChanged, l, [this, l](int row) {
    if (quiet_ || static_cast<EntryList*>(l)->takingFocus()) return;
    const int index = row < 0 ? -1 : row + firstIndex_;
    if (index != listIndex_) {
      listIndex_ = index;
      raise(Click);
    }
  });
  setDefaultColors(vbWindowBackground, vbWindowText);
  Move(0, 0, 1215, 1425);
}

QListWidget* ListControl::list() const { return static_cast<QListWidget*>(widget()); }

int ListControl::listCount() const { return list()->count(); }

QString ListControl::entry(int index) const {
  const int row = index - firstIndex_;
  if (index < firstIndex_ || row >= list()->count()) return {};
  return list()->item(row)->text();
}

void ListControl::showRows(const QStringList& rows, int first) {
  quiet_ = true;
  QListWidget* l = list();
  l->clear();
  l->addItems(rows);
  firstIndex_ = first;
  listIndex_ = -1;
  // In a folder list entry -1 is a row of its own: the open folder.
  l->setCurrentRow(first < 0 ? -1 - first : -1);
  quiet_ = false;
}

bool ListControl::moveSelection(int index) {
  if (index == listIndex_) return false;
  quiet_ = true;
  listIndex_ = index;
  const int row = index - firstIndex_;
  QListWidget* l = list();
  if (index < firstIndex_ || row >= l->count()) {
    l->setCurrentRow(-1);
    l->clearSelection();
  } else {
    // Lists with several selected entries keep their selection apart.
    const bool single = l->selectionMode() == QAbstractItemView::SingleSelection;
    l->setCurrentRow(row, single ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
    l->scrollToItem(l->item(row));
  }
  quiet_ = false;
  return true;
}

void ListControl::setListIndex(int index) {
  if (index < std::min(-1, firstIndex_) || index >= listCount())
    throw store::StoreError("Invalid property value");
  if (moveSelection(index)) raise(Click);
}

int ListControl::TopIndex() const {
  const QListWidget* l = list();
  return l->count() ? l->verticalScrollBar()->value() + firstIndex_ : 0;
}

void ListControl::setTopIndex(int index) { list()->verticalScrollBar()->setValue(index - firstIndex_); }

int ListControl::rowAt(QPointF twips) const {
  const QPoint px(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
  const QPoint inViewport = list()->viewport()->mapFrom(list(), px);
  return list()->indexAt(inViewport).row();
}

QPointF ListControl::entryPoint(int index) const {
  QListWidget* l = list();
  QListWidgetItem* item = l->item(index - firstIndex_);
  if (!item) return {};
  l->scrollToItem(item);
  const QPoint centre = l->viewport()->mapTo(l, l->visualItemRect(item).center());
  return {pixelsToTwips(centre.x()), pixelsToTwips(centre.y())};
}

void ListControl::userChoseEntry(int index, int shift) {
  (void)shift;
  moveSelection(index);
}

bool ListControl::userPress(int button, int shift, QPointF twips) {
  const int row = rowAt(twips);
  const int before = listIndex_;
  if (row >= 0 && button == 1) userChoseEntry(row + firstIndex_, shift);
  list()->setFocus(Qt::MouseFocusReason);
  Control::userPress(button, shift, twips);
  if (listIndex_ != before) raise(Click);
  return true;
}

bool ListControl::userDoubleClick(int button, int, QPointF twips) {
  const int row = rowAt(twips);
  if (row < 0 || button != 1) return true;
  if (moveSelection(row + firstIndex_)) raise(Click);
  raise(DblClick);
  userOpenedEntry(row + firstIndex_);
  return true;
}

bool ListControl::select(int index, int button, int shift) {
  if (!acceptsUserInput() || index < firstIndex_ || index - firstIndex_ >= list()->count()) return false;
  const QPointF at = entryPoint(index);
  if (!mouseDown(button, shift, at.x(), at.y())) return false;
  mouseUp(button, shift, at.x(), at.y());
  return true;
}

bool ListControl::dblClickItem(int index) {
  if (!acceptsUserInput() || index < firstIndex_ || index - firstIndex_ >= list()->count()) return false;
  const QPointF at = entryPoint(index);
  return dblClick(at.x(), at.y());
}

}  // namespace controls
