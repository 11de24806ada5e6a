#pragma once
// Dialog, the authoring program's own file picker: a drive list, a folder
// list, a file list, a picture preview and the buttons that hand the choice
// back through the main window's path_var, file_var and lastVisitedDirectory.
//
// Shown by showDialog() with the pattern of what is asked for: "*.mp3" (with
// "Add All", which takes the whole folder), pictures ("*.gif;*.bmp;*.jpg",
// "*.gif;*.bmp;*.jpg;*.jpeg") or "*.ico". Without being shown, File1 and Dir1
// also serve the commands as a file and folder lister:
//
//     Dialog& lister = form5.dialog();
//     lister.File1.setPattern("*.mp3");
//     lister.File1.setPath(folder);   // throws store::StoreError
//     for (int i = 0; i < lister.File1.ListCount(); ++i) ... lister.File1.List(i) ...
//
// The window lives in Form5's slot (Form5::dialog()); it is unloaded after
// every answer, so each showDialog starts from the design, except that a
// lister use that loaded it keeps the folder the lister set.

#include <QString>

#include "command_button.h"
#include "dir_list_box.h"
#include "drive_list_box.h"
#include "file_list_box.h"
#include "form.h"
#include "image.h"
#include "picture_box.h"

class Form5;

class Dialog : public controls::Form {
 public:
  explicit Dialog(Form5& owner);

  controls::DriveListBox Drive1{*this, "Drive1"};
  controls::DirListBox Dir1{*this, "Dir1"};
  controls::FileListBox File1{*this, "File1"};
  controls::Image Image1{*this, "Image1"};          // the preview
  controls::PictureBox Picture1{*this, "Picture1"};  // loads the preview, never shown
  controls::CommandButton OKButton{*this, "OKButton"};
  controls::CommandButton AddAllButton{*this, "AddAllButton"};  // songs only
  controls::CommandButton CancelButton{*this, "CancelButton"};

  // Lays the window out for `pat` and shows it modally. The answer is in the
  // main window's path_var and file_var when this returns. True when the user
  // took something ("Add One"/"OK" or "Add All"); false for Cancel and for
  // the close box, which leaves path_var and file_var as they were.
  bool showDialog(const QString& pat);

 protected:
  void Form_Load() override;

 private:
  void Drive1_Change();
  void Dir1_Change();
  // Drive1 shows the place that holds Dir1's folder.
  void showDriveOfFolder();
  void File1_Click();
  void OKButton_Click();
  void AddAllButton_Click();
  void CancelButton_Click();
  // Shows `text` in the main window's message window, closed by a click.
  void tell(const QString& text);
  // Hands `file` (empty for the whole folder) in Dir1's folder back and unloads.
  void answer(const QString& file);

  Form5& owner_;
  bool accepted_ = false;
};
