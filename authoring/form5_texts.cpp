// The project's texts, the CD label and the interface colour of tab 2.
#include <algorithm>
#include <string>

#include "autorun_file.h"
#include "dialogs/dialog_service.h"
#include "file_work_errors.h"
#include "form5.h"
#include "frm_edit_txt.h"
#include "path_helpers.h"
#include "runtime_rules.h"
#include "store_error.h"

namespace {

const QString kColourHelp = QStringLiteral("Set the color of the project's interface.");
// The texts' own refusal without a project.
const QString kNoProjectMessage = QStringLiteral("First create a new project");

}  // namespace

void Form5::connectTextHandlers() {
  lblProjectTitle.Click = [this] { lblProjectTitle_Click(); };
  lblProjectSubTitle.Click = [this] { lblProjectSubTitle_Click(); };
  Label13.Click = [this] { Label13_Click(); };
  lblCdLabl.Click = [this] { lblCdLabl_Click(); };
  lblProjectName.Click = [this] { lblProjectName_Click(); };
  Label14.Click = [this] { Label14_Click(); };
  Label17.Click = [this] { Label17_Click(); };
  Label18.Click = [this] { Label18_Click(); };
  Label19.MouseDown = [this](int b, int s, double x, double y) { Label19_MouseDown(b, s, x, y); };
  Label19.MouseMove = [this](int b, int s, double x, double y) { Label19_MouseMove(b, s, x, y); };
  Label19.MouseUp = [this](int b, int s, double x, double y) { Label19_MouseUp(b, s, x, y); };
  Frame5.MouseDown = [this](int b, int s, double x, double y) { Frame5_MouseDown(b, s, x, y); };
}

// ---- Title, subtitle and information text
// ------------------------------------

void Form5::askProjectText(controls::Label& label, const QString& helpText, const QString& prompt) {
  if (helpShown(helpText) || !projectEditable(kNoProjectMessage)) return;
  const QString before = label.Caption();
  // The label shows the answer at once, an empty one too; only a text is kept.
  const QString answer = platform::dialogs().InputBox(prompt, {}, before);
  label.setCaption(answer);
  if (!answer.isEmpty() && !projectDataSaved()) label.setCaption(before);
}

void Form5::lblProjectTitle_Click() {
  askProjectText(lblProjectTitle,
                 QStringLiteral("The headline of the project. this can be the "
                                "name of the collection or the band's name."),
                 QStringLiteral("Set Title"));
}

void Form5::lblProjectSubTitle_Click() {
  askProjectText(lblProjectSubTitle,
                 QStringLiteral("The subtitle of the project. this can use to "
                                "specify a date or the collector's name."),
                 QStringLiteral("Set Sub title"));
}

void Form5::Label13_Click() {
  if (helpShown(QStringLiteral("The information text that appears at a click "
                               "when Quendrel loads.")) ||
      !projectEditable(kNoProjectMessage))
    return;
  const QString before = Label13.Caption();
  showTextEditor(before, QStringLiteral("Edit Info."));
  Label13.setCaption(largeText);
  if (!projectDataSaved()) Label13.setCaption(before);
}

void Form5::showTextEditor(const QString& text, const QString& caption) {
  largeText = text;
  controls::FormSlot<frmEditTxt> editor;
  editor->Text1.setText(text);
  editor->setCaption(caption);
  editor->Show(controls::vbModal);
  if (frmEditTxt* stillUp = editor.ifLoaded()) stillUp->Unload();
}

// ---- CD label and project name
// -------------------------------------------------

void Form5::lblCdLabl_Click() {
  if (helpShown(QStringLiteral("The Label of the CD that will be burned. this can be "
                               "the name of the collection or the band's name.")))
    return;
  if (!projectEditable()) return;
  QString label;
  for (;;) {
    label = platform::dialogs().InputBox(QStringLiteral("Enter CD Label:"), {}, lblCdLabl.Caption());
    if (!label.isEmpty()) break;
    platform::dialogs().MsgBox(QStringLiteral("CD label can not be empty."), platform::vbOKOnly);
  }
  const QString before = lblCdLabl.Caption();
  lblCdLabl.setCaption(label);
  // A file that lost its icon line goes on showing the project's own icon.
  const std::string project = sDirectory.toStdString();
  const std::string icon =
      !Text1_.isEmpty() && store::FileExists(store::setPath(project, Text1_.toStdString())) ? Text1_.toStdString() : "";
  try {
    store::rewriteAutorunLabel(project, lblProjectName.Caption().toStdString(), label.toStdString(), icon);
  } catch (const store::StoreError& error) {
    lblCdLabl.setCaption(before);
    showFileWorkError(error);
  }
}

void Form5::lblProjectName_Click() { helpShown(QStringLiteral("The Project name.")); }

// ---- The colour slider
// -----------------------------------------------------------

void Form5::selectChannel(int channel, const QString& helpText) {
  if (helpShown(helpText)) return;
  RGB_SET = channel;
  const int values[] = {redRGB, greenRGB, blueRGB};
  Label19.setLeft(values[channel - 1] * (Frame5.Width() - Label19.Width()) / 255);
  controls::Label* labels[] = {&Label14, &Label17, &Label18};
  for (int i = 0; i < 3; ++i) labels[i]->setBorderStyle(i == channel - 1 ? 1 : 0);
}

void Form5::Label14_Click() { selectChannel(1, kColourHelp); }
void Form5::Label17_Click() { selectChannel(2, kColourHelp); }
void Form5::Label18_Click() { selectChannel(3, kColourHelp); }

void Form5::Label19_MouseDown(int, int, double, double) { helpShown(kColourHelp); }

void Form5::Frame5_MouseDown(int, int, double, double) { helpShown(kColourHelp); }

void Form5::Label19_MouseMove(int Button, int, double X, double) {
  // A project that is not open for editing keeps its colour; the release says
  // why.
  if (lblProjectName.Caption().isEmpty() || Button == 0 || !editingAllowed()) return;
  const double track = Frame5.Width() - Label19.Width();
  const double position = Label19.Left() + X - Label19.Width() / 2;
  if (position < 0) {
    Label19.setLeft(0);
    return;
  }
  if (position > track) {
    Label19.setLeft(track);
    return;
  }
  Label19.setLeft(position);
  const int value = std::max(0, static_cast<int>(runtime::Int(255 * position / track)));
  struct Channel {
    int& value;
    controls::Label& label;
  };
  Channel channels[] = {{redRGB, Label14}, {greenRGB, Label17}, {blueRGB, Label18}};
  if (RGB_SET >= 1 && RGB_SET <= 3) {
    channels[RGB_SET - 1].value = value;
    channels[RGB_SET - 1].label.setCaption(QString::number(value));
  }
  Frame5.setBackColor(controls::RGB(redRGB, greenRGB, blueRGB));
}

void Form5::Label19_MouseUp(int, int, double, double) {
  if (lblProjectName.Caption().isEmpty() || !projectEditable()) return;
  projectDataSaved();
}
