#include "combo_box.h"

#include <QComboBox>
#include <QLineEdit>

#include "store_error.h"

namespace controls {

namespace {
[[noreturn]] void badIndex() { throw store::StoreError("Invalid property array index"); }
}  // namespace

ComboBox::ComboBox(Container& parent, QString name) : Control(parent, std::move(name), new QComboBox, Layer::Windowed) {
  QComboBox* c = combo();
  c->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(c, &QComboBox::activated, c, [this](int index) { userChose(index); });
  setStyle(0);
  setDefaultColors(vbWindowBackground, vbWindowText);
  Move(0, 0, 1215, 315);
}

QComboBox* ComboBox::combo() const { return static_cast<QComboBox*>(widget()); }

void ComboBox::setStyle(int style) {
  style_ = style;
  QComboBox* c = combo();
  quiet_ = true;
  c->setEditable(style != 2);
  if (QLineEdit* edit = c->lineEdit()) {
    adoptWidget(edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { raise(Change); });
    edit->clear();
  }
  c->setCurrentIndex(listIndex_);
  quiet_ = false;
}

void ComboBox::AddItem(const QString& item, int index) {
  QComboBox* c = combo();
  if (index < -1 || index > c->count()) badIndex();
  const QString text = Text();
  quiet_ = true;
  c->insertItem(index < 0 ? c->count() : index, item);
  if (listIndex_ >= 0 && index >= 0 && index <= listIndex_) ++listIndex_;
  c->setCurrentIndex(listIndex_);
  if (style_ != 2) c->setEditText(text);
  quiet_ = false;
}

void ComboBox::RemoveItem(int index) {
  QComboBox* c = combo();
  if (index < 0 || index >= c->count()) badIndex();
  quiet_ = true;
  c->removeItem(index);
  if (index == listIndex_) listIndex_ = -1;
  else if (index < listIndex_) --listIndex_;
  c->setCurrentIndex(listIndex_);
  quiet_ = false;
}

void ComboBox::Clear() {
  quiet_ = true;
  combo()->clear();
  listIndex_ = -1;
  if (style_ != 2) combo()->setEditText({});
  quiet_ = false;
}

int ComboBox::ListCount() const { return combo()->count(); }

QString ComboBox::List(int index) const { return index >= 0 && index < combo()->count() ? combo()->itemText(index) : QString(); }

void ComboBox::setList(int index, const QString& item) {
  if (index < 0 || index >= combo()->count()) badIndex();
  combo()->setItemText(index, item);
}

void ComboBox::setListIndex(int index) {
  if (index < -1 || index >= combo()->count()) throw store::StoreError("Invalid property value");
  if (index == listIndex_) return;
  quiet_ = true;
  listIndex_ = index;
  combo()->setCurrentIndex(index);
  if (style_ != 2 && index >= 0) combo()->setEditText(combo()->itemText(index));
  quiet_ = false;
  raise(Click);
}

QString ComboBox::Text() const {
  if (style_ != 2) return combo()->currentText();
  return List(listIndex_);
}

void ComboBox::setText(const QString& text) {
  if (style_ != 2) {
    combo()->setEditText(text);
    raise(Change);
    return;
  }
  const int index = combo()->findText(text, Qt::MatchFixedString);
  if (index < 0) throw store::StoreError("Invalid property value");
  setListIndex(index);
}

void ComboBox::userChose(int index) {
  if (quiet_) return;
  if (index == listIndex_) return;
  listIndex_ = index;
  raise(Click);
}

bool ComboBox::select(int index) {
  if (!acceptsUserInput() || index < 0 || index >= combo()->count()) return false;
  combo()->setCurrentIndex(index);
  emit combo()->activated(index);
  return true;
}

}  // namespace controls
