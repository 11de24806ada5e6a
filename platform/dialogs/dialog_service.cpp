#include "dialogs/dialog_service.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <vector>

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
  QMessageBox box(iconOf(style), effectiveTitle(title), forDisplay(prompt), QMessageBox::NoButton,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
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
  QInputDialog box(QApplication::activeWindow());
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle(effectiveTitle(title));
  box.setLabelText(forDisplay(prompt));
  box.setTextValue(defaultText);
  if (box.exec() != QDialog::Accepted) return {};
  return box.textValue();
}

}  // namespace platform
