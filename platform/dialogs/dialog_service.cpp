#include "dialogs/dialog_service.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
#include <QWindow>

#include <cstdio>
#include <vector>

#include "dialogs/window_owner.h"

namespace platform {
namespace {

DialogService* installedService = nullptr;
QString titleOfProgram;
bool titleSet = false;

// The programs write line ends as CR LF (or a lone CR); Qt shows LF.
QString forDisplay(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}

bool haveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QMessageBox::Icon iconOf(int style) {
  switch (style & kMsgBoxIconMask) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// A box that belongs to the window on screen when it comes up (ownerWindow):
// its transient child, shown over its middle. It is no child widget of that
// window, so it is never disabled with it and takes its own keys and clicks
// even when the window it came from has gone (a picker just closed).
template <class Box>
class OwnedBox : public Box {
 public:
  OwnedBox() : owner_(ownerWindow()) { setOwnerWindow(*this, owner_); }

 protected:
  void showEvent(QShowEvent* event) override {
    Box::showEvent(event);
    if (owner_) centreOver(*this, *owner_);
  }

 private:
  QPointer<QWindow> owner_;
};

// A window manager cuts a title that is wider than the box; the box gets
// the width its title needs.
void makeRoomForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  constexpr int kTitleBarButtons = 120;  // the frame's own buttons and icon
  const int needed = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
  grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

}  // namespace

DialogService& dialogs() {
  static QtDialogService qtService;
  return installedService ? *installedService : qtService;
}

void setDialogService(DialogService* service) { installedService = service; }

QString programTitle() {
  if (titleSet) return titleOfProgram;
  if (QCoreApplication::instance() && !QCoreApplication::applicationName().isEmpty())
    return QCoreApplication::applicationName();
  return QStringLiteral("Quendrel");
}

void setProgramTitle(const QString& title) {
  titleOfProgram = title;
  titleSet = !title.isEmpty();
}

QString effectiveTitle(const QString& title) { return title.isEmpty() ? programTitle() : title; }

void setShownTitle(QWidget& window, const QString& title) {
  QString escaped = effectiveTitle(title);
  escaped.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  window.setWindowTitle(escaped);
}

MsgBoxResult closeAnswer(int style) {
  switch (style & kMsgBoxButtonsMask) {
    case vbOKCancel:
    case vbYesNoCancel: return vbCancel;
    case vbYesNo: return vbNo;
    default: return vbOK;
  }
}

bool isButtonOf(int style, MsgBoxResult answer) {
  switch (style & kMsgBoxButtonsMask) {
    case vbOKCancel: return answer == vbOK || answer == vbCancel;
    case vbYesNoCancel: return answer == vbYes || answer == vbNo || answer == vbCancel;
    case vbYesNo: return answer == vbYes || answer == vbNo;
    default: return answer == vbOK;
  }
}

MsgBoxResult QtDialogService::MsgBox(const QString& prompt, int style, const QString& title) {
  if (!haveWidgets()) {
    std::fprintf(stderr, "%s: %s\n", effectiveTitle(title).toLocal8Bit().constData(),
                 prompt.toLocal8Bit().constData());
    return closeAnswer(style);
  }
  OwnedBox<QMessageBox> box;
  box.setIcon(iconOf(style));
  setShownTitle(box, title);
  box.setTextFormat(Qt::PlainText);
  box.setText(forDisplay(prompt));
  struct Choice {
    QMessageBox::StandardButton button;
    MsgBoxResult result;
  };
  std::vector<Choice> choices;
  switch (style & kMsgBoxButtonsMask) {
    case vbOKCancel: choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbYesNoCancel:
      choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
      break;
    case vbYesNo: choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    default: choices = {{QMessageBox::Ok, vbOK}}; break;
  }
  for (const auto& c : choices) box.addButton(c.button);
  const std::size_t defaultIndex = (style & vbDefaultButton2) && choices.size() > 1 ? 1 : 0;
  box.setDefaultButton(choices[defaultIndex].button);
  makeRoomForTitle(box);
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  for (const auto& c : choices)
    if (clicked && clicked == box.button(c.button)) return c.result;
  return closeAnswer(style);
}

QString QtDialogService::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  if (!haveWidgets()) {
    std::fprintf(stderr, "%s: %s\n", effectiveTitle(title).toLocal8Bit().constData(),
                 prompt.toLocal8Bit().constData());
    return {};
  }
  OwnedBox<QInputDialog> box;
  box.setInputMode(QInputDialog::TextInput);
  setShownTitle(box, title);
  box.setLabelText(forDisplay(prompt));
  box.setTextValue(defaultText);
  if (box.exec() != QDialog::Accepted) return {};
  return box.textValue();
}

}  // namespace platform
