// The disc icon of tab 2: one .ico file in the project folder, named in the
// project data and in the icon line of AUTORUN.INF.
#include <filesystem>
#include <string>
#include <system_error>

#include "album_files.h"
#include "autorun_file.h"
#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "file_work_errors.h"
#include "form5.h"
#include "pack_file.h"
#include "path_helpers.h"
#include "picture_cleanup.h"
#include "player_pictures.h"
#include "project_file_choice.h"
#include "store_error.h"

namespace {

// Whether the two paths name one file: the same path, or the same file
// reached another way (a link, or a folder on a file system without case).
bool sameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  if (fs::path(a).lexically_normal() == fs::path(b).lexically_normal()) return true;
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

void Form5::connectIconHandlers() {
  Picture1.Click = [this] { Picture1_Click(); };
  Command9.Click = [this] { Command9_Click(); };
}

void Form5::Picture1_Click() {
  if (helpShown(QStringLiteral("The Icon of the Quendrel instance that will appear both when the instance in "
                               "minimized and as the CDs icon.")))
    return;
  if (!chooseFileForProject(*this, QStringLiteral("First create or open a project"), QStringLiteral("*.ico"))) return;

  const std::string project = sDirectory.toStdString();
  const std::string projectName = lblProjectName.Caption().toStdString();
  const std::string source = store::setPath(path_var.toStdString(), file_var.toStdString());
  const std::string target = store::setPath(project, file_var.toStdString());
  if (sameFile(source, target)) {
    platform::dialogs().MsgBox(QStringLiteral("Can not copy an icon from the project directory to it self."),
                               platform::vbOKOnly);
    return;
  }

  // What can be known before the old icon goes: the file is a picture, and
  // its name fits the project data and AUTORUN.INF.
  controls::Picture picture;
  try {
    checkThePlayerHolds(*this, controls::kDiscIcon, source);
    picture = controls::LoadPicture(QString::fromStdString(source));
    store::toAnsiOrThrow(file_var.toStdString(), "The icon's name");
  } catch (const store::StoreError& error) {
    showFileWorkError(error);
    return;
  }

  const QString oldIcon = Text1_;
  Text1_ = file_var;
  try {
    store::deleteAllPics(project, "*.ico");
    store::copyFileAtomically(source, target);
  } catch (const store::StoreError& error) {
    if (!oldIcon.isEmpty() && store::FileExists(store::setPath(project, oldIcon.toStdString()))) {
      // A project folder that takes no change still has its icon, and the
      // window goes on showing it.
      Text1_ = oldIcon;
    } else {
      // The old icon is gone: the disc falls back to the launcher's icon
      // rather than name a file that is not there.
      Text1_.clear();
      Picture1.setPicture(controls::Picture());
      skippingFileErrors([this] { saveProjectData(); });
      skippingFileErrors([&] { store::rewriteAutorunIconCleared(project, projectName); });
    }
    showFileWorkError(error);
    return;
  }
  Picture1.setPicture(picture);
  try {
    saveProjectData();
    store::rewriteAutorunIconChosen(project, projectName, Text1_.toStdString());
  } catch (const store::StoreError& error) {
    showFileWorkError(error);
  }
}

void Form5::Command9_Click() {
  if (helpShown(QStringLiteral("This button clears the icon of the Quendrel instance."))) return;
  if (!projectEditable()) return;
  const std::string project = sDirectory.toStdString();
  const QString icon = Text1_;
  // The project data and AUTORUN.INF forget the icon before its file goes:
  // a project folder that takes neither keeps the icon, and so does the
  // window.
  Text1_.clear();
  bool dataSaved = false;
  try {
    saveProjectData();
    dataSaved = true;
    store::rewriteAutorunIconCleared(project, lblProjectName.Caption().toStdString());
  } catch (const store::StoreError& error) {
    Text1_ = icon;
    if (dataSaved) skippingFileErrors([this] { saveProjectData(); });
    showFileWorkError(error);
    return;
  }
  // Nothing names the file any more; one that stays harms nothing.
  album_files::removeNamedFile(project, icon);
  Picture1.setPicture(controls::Picture());
}
