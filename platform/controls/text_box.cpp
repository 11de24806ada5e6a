#include "text_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace controls {

// The editor behind a text box: keeps one line in a single-line box and
// refuses what MaxLength and Locked forbid.
class TextEdit : public QPlainTextEdit {
 public:
  explicit TextEdit(TextBox* owner) : owner_(owner) {}
  TextBox* owner_;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !owner_->multiLine_) return;
    const QString typed = enter ? QString("\n") : event->text();
    const bool adds = enter || (!typed.isEmpty() && typed.at(0).isPrint());
    if (adds && !owner_->allowsTyping(typed)) return;
    if (owner_->locked_ && (enter || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) return;
    QPlainTextEdit::keyPressEvent(event);
  }
  void insertFromMimeData(const QMimeData* source) override {
    QString text = source->text();
    if (!owner_->multiLine_) text.replace("\r\n", " ").replace('\n', ' ').replace('\r', ' ');
    if (!owner_->allowsTyping(text)) return;
    insertPlainText(text);
  }
};

TextBox::TextBox(Container& parent, QString name)
    : Control(parent, std::move(name), new TextEdit(this), Layer::Windowed) {
  QPlainTextEdit* e = edit();
  adoptWidget(e->viewport());
  e->setLineWrapMode(QPlainTextEdit::NoWrap);
  e->setTabChangesFocus(true);
  e->document()->setDocumentMargin(1);
  applyScrollBars();
  QObject::connect(e, &QPlainTextEdit::textChanged, e, [this] { raise(Change); });
  setDefaultColors(vbWindowBackground, vbWindowText);
  Move(0, 0, 1215, 285);
}

QPlainTextEdit* TextBox::edit() const { return static_cast<QPlainTextEdit*>(widget()); }

QString TextBox::Text() const {
  QString text = edit()->toPlainText();
  text.replace('\n', "\r\n");
  return text;
}

void TextBox::setText(const QString& text) {
  QString plain = text;
  plain.replace("\r\n", "\n").replace('\r', '\n');
  if (!multiLine_) plain.replace('\n', ' ');
  if (plain == edit()->toPlainText()) return;
  edit()->setPlainText(plain);
  // New text shows from its first line. A box whose window has not been
  // shown yet lays the text out for a size it does not have yet, and would
  // keep its first lines scrolled away.
  edit()->verticalScrollBar()->setValue(0);
}

void TextBox::setMultiLine(bool multiLine) {
  multiLine_ = multiLine;
  edit()->setLineWrapMode(multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  edit()->setTabChangesFocus(true);
  applyScrollBars();
}

void TextBox::setScrollBars(int bars) {
  scrollBars_ = bars;
  if (multiLine_ && (bars & 1)) edit()->setLineWrapMode(QPlainTextEdit::NoWrap);
  applyScrollBars();
}

void TextBox::applyScrollBars() {
  const bool horizontal = multiLine_ && (scrollBars_ & 1);
  const bool vertical = multiLine_ && (scrollBars_ & 2);
  edit()->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit()->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TextBox::setLocked(bool locked) {
  locked_ = locked;
  edit()->setReadOnly(locked);
  edit()->setTextInteractionFlags(locked ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                         : Qt::TextEditorInteraction);
  setCaretVisible(caretVisible_);
}

void TextBox::setAlignment(int alignment) {
  alignment_ = alignment;
  const Qt::Alignment a = alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  QTextOption option = edit()->document()->defaultTextOption();
  option.setAlignment(a);
  edit()->document()->setDefaultTextOption(option);
}

void TextBox::setBorderStyle(int style) {
  borderStyle_ = style;
  edit()->setFrameStyle(style == 0 ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
}

int TextBox::SelStart() const { return edit()->textCursor().selectionStart(); }

int TextBox::SelLength() const {
  const QTextCursor c = edit()->textCursor();
  return c.selectionEnd() - c.selectionStart();
}

QString TextBox::SelText() const {
  QString text = edit()->textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, "\r\n");
  return text;
}

void TextBox::setSelStart(int start) {
  QTextCursor c = edit()->textCursor();
  c.setPosition(std::clamp(start, 0, static_cast<int>(edit()->document()->characterCount()) - 1));
  edit()->setTextCursor(c);
}

void TextBox::setSelLength(int length) {
  QTextCursor c = edit()->textCursor();
  const int start = c.selectionStart();
  const int last = static_cast<int>(edit()->document()->characterCount()) - 1;
  c.setPosition(start);
  c.setPosition(std::clamp(start + length, 0, last), QTextCursor::KeepAnchor);
  edit()->setTextCursor(c);
}

void TextBox::setCaretVisible(bool visible) {
  caretVisible_ = visible;
  edit()->setCursorWidth(visible ? 1 : 0);
}

bool TextBox::allowsTyping(const QString& text) const {
  if (locked_) return false;
  if (maxLength_ <= 0) return true;
  const qsizetype length = Text().size() - SelLength();
  QString added = text;
  added.replace('\n', "\r\n");
  return length + added.size() <= maxLength_;
}

}  // namespace controls
