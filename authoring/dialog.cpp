#include "dialog.h"

#include <QDir>

#include "file_work_errors.h"
#include "form5.h"
#include "look.h"
#include "path_helpers.h"
#include "store_error.h"

namespace {

constexpr double kGap = 100;  // between the buttons of the songs' row

const QString kSongPattern = QStringLiteral("*.mp3");

}  // namespace

Dialog::Dialog(Form5& owner) : Form("Dialog"), owner_(owner) {
  setCaption(QStringLiteral("Open file"));
  setBorderStyle(3);
  setBackColor(controls::kDialogGrey);
  setWidth(8805);
  setHeight(3570);

  Drive1.Move(120, 120, 2535, Drive1.Height());
  Dir1.Move(120, 480, 2535, 2340);
  File1.Move(2760, 120, 2655, 2625);
  Image1.Move(5520, 120, 3135, 2625);
  Image1.setStretch(true);
  Picture1.setVisible(false);
  OKButton.Move(2880, 3120, 1215, 375);
  OKButton.setCaption(QStringLiteral("Add One"));
  AddAllButton.Move(1680, 3120, 975, 375);
  AddAllButton.setCaption(QStringLiteral("Add All"));
  AddAllButton.setVisible(false);
  CancelButton.Move(4320, 3120, 1215, 375);
  CancelButton.setCaption(QStringLiteral("Cancel"));

  Drive1.Change = [this] { Drive1_Change(); };
  Dir1.Change = [this] { Dir1_Change(); };
  File1.Click = [this] { File1_Click(); };
  OKButton.Click = [this] { OKButton_Click(); };
  AddAllButton.Click = [this] { AddAllButton_Click(); };
  CancelButton.Click = [this] { CancelButton_Click(); };
}

void Dialog::Form_Load() {
  // Without an earlier choice the picker starts in the user's home folder,
  // where a desktop user keeps music and pictures.
  const QString start = owner_.lastVisitedDirectory.isEmpty() ? QDir::homePath() : owner_.lastVisitedDirectory;
  try {
    Dir1.setPath(start);
  } catch (const store::StoreError&) {
    // A folder that has gone since leaves the lists where they start.
  }
  showDriveOfFolder();
  try {
    File1.setPath(Dir1.Path());
  } catch (const store::StoreError&) {
  }
  Image1.setHeight(File1.Height());
}

bool Dialog::showDialog(const QString& pat) {
  File1.setPattern(pat);
  setIcon(owner_.Icon());
  if (pat == QLatin1String("*.ico")) setCaption(QStringLiteral("Open Icon (*.ico) file."));
  if (pat == kSongPattern) {
    setCaption(QStringLiteral("Open mp3 file."));
    AddAllButton.setLeft(1000);
    OKButton.setLeft(AddAllButton.Left() + AddAllButton.Width() + kGap);
    CancelButton.setLeft(OKButton.Left() + OKButton.Width() + kGap);
    // The preview lies beyond the window's edge: songs have none.
    setWidth(File1.Width() + Dir1.Width() + 400);
    AddAllButton.setVisible(true);
  } else {
    OKButton.setCaption(QStringLiteral("OK"));
  }
  accepted_ = false;
  Show(controls::vbModal);
  return accepted_;
}

void Dialog::Drive1_Change() {
  try {
    Dir1.setPath(Drive1.Drive());
  } catch (const store::StoreError& e) {
    showFileWorkError(e);
    showDriveOfFolder();
  }
}

void Dialog::showDriveOfFolder() {
  // Only the list's display follows: its Change would send the folder list
  // to the root of the place.
  const auto handler = std::move(Drive1.Change);
  Drive1.Change = nullptr;
  try {
    Drive1.setDrive(Dir1.Path());
  } catch (const store::StoreError&) {
  }
  Drive1.Change = handler;
}

void Dialog::Dir1_Change() {
  showDriveOfFolder();
  try {
    File1.setPath(Dir1.Path());
  } catch (const store::StoreError& e) {
    showFileWorkError(e);
  }
}

void Dialog::File1_Click() {
  if (File1.Pattern() == kSongPattern || File1.ListIndex() < 0) return;
  const QString path = QString::fromStdString(store::setPath(File1.Path().toStdString(), File1.FileName().toStdString()));
  try {
    // Only the preview shows the picture: it is loaded no bigger.
    Picture1.setPicture(controls::loadPictureFor(Image1, path));
    Image1.setPicture(Picture1.Picture());
  } catch (const store::StoreError& e) {
    Picture1.setPicture(controls::Picture());
    Image1.setPicture(controls::Picture());
    showFileWorkError(e);
  }
}

void Dialog::tell(const QString& text) {
  // The message window stays loaded, hidden, after the start-up, and so it
  // is among the windows this modal picker blocks; made anew, it comes up
  // on top of the picker and takes the click that closes it.
  frmMessage& window = owner_.messageWindow();
  if (!window.Visible()) window.Unload();
  owner_.message(text, true);
}

void Dialog::OKButton_Click() {
  if (File1.ListIndex() < 0) {
    tell(QStringLiteral("No file was chosen."));
    return;
  }
  answer(File1.FileName());
}

void Dialog::AddAllButton_Click() {
  if (File1.ListCount() == 0) {
    tell(QStringLiteral("No mp3 files in this directory."));
    return;
  }
  answer(QString());
}

void Dialog::answer(const QString& file) {
  // File1 follows Dir1; should a lister have left it elsewhere, the answer
  // is still the folder of the files the user chose from.
  owner_.path_var = File1.Path();
  owner_.file_var = file;
  owner_.lastVisitedDirectory = File1.Path();
  accepted_ = true;
  Unload();
}

void Dialog::CancelButton_Click() {
  owner_.file_var.clear();
  owner_.path_var.clear();
  Unload();
}
