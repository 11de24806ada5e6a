// dat.qd of the open project, written from the window after every change of
// its settings and read back into the window when the project is opened.
#include <algorithm>
#include <filesystem>
#include <string>

#include "dialogs/dialog_service.h"
#include "file_work_errors.h"
#include "form5.h"
#include "pack_file.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "project_data.h"
#include "runtime_rules.h"
#include "store_error.h"

namespace {

std::string projectDataPath(const QString& projectFolder) {
  return store::setPath(projectFolder.toStdString(), store::kProjectDataFileName);
}

// A colour part of the file as the window keeps it: its whole part, within
// what a colour can hold.
int colourPart(const std::string& text) {
  return static_cast<int>(std::clamp(runtime::Int(store::colourValue(text)), 0.0, 255.0));
}

}  // namespace

bool Form5::editingAllowed() const { return !sDirectory.isEmpty() && isPasswordCorrect; }

bool Form5::projectEditable() {
  if (editingAllowed()) return true;
  platform::dialogs().MsgBox(QStringLiteral("First create or open a project."), platform::vbOKOnly);
  return false;
}

bool Form5::projectEditable(const QString& noProjectMessage) {
  if (sDirectory.isEmpty()) {
    platform::dialogs().MsgBox(noProjectMessage, platform::vbOKOnly, QStringLiteral("Quendrel."));
    return false;
  }
  return projectEditable();
}

void Form5::saveProjectData() {
  // Without a project folder the path would be the root's.
  if (sDirectory.isEmpty()) throw store::StoreError("Path not found");
  store::ProjectData data;
  data.passwordText = ProjectPassword.toStdString();
  data.colourRed = store::colourText(redRGB);
  data.colourGreen = store::colourText(greenRGB);
  data.colourBlue = store::colourText(blueRGB);
  data.iconFile = Text1_.toStdString();
  data.initPicFile = text4_.toStdString();
  data.titlePicFile = Text_imgTop_.toStdString();
  data.bottomPicFile = Text_ImgBottom.toStdString();
  data.projectTitle = lblProjectTitle.Caption().toStdString();
  data.projectSubTitle = lblProjectSubTitle.Caption().toStdString();
  data.infoText = Label13.Caption().toStdString();
  // Replaced whole, never deleted first: a text the file cannot hold leaves
  // the old file as it was.
  store::writeProjectData(projectDataPath(sDirectory), data);
  showFolderSize();
}

bool Form5::projectDataSaved() {
  try {
    saveProjectData();
    return true;
  } catch (const store::StoreError& error) {
    showFileWorkError(error);
    return false;
  }
}

void Form5::loadProjectData() {
  const std::string mirror = program_folder::mirror(lblProjectName.Caption());
  runtime::letPendingEventsRun();
  store::ProjectData data;
  try {
    data = store::readProjectData(projectDataPath(sDirectory));
  } catch (const store::StoreError& error) {
    // Read as empty, the project would open without its password and the
    // next save would drop it: an unreadable file opens nothing.
    cleanGui();
    setCheck1Quietly(controls::vbUnchecked);
    isPasswordCorrect = false;
    showFileWorkError(error);
    return;
  }

  const QString stored = QString::fromStdString(data.passwordText);
  if (stored.isEmpty()) {
    isPasswordCorrect = true;
    ProjectPassword.clear();
    setCheck1Quietly(controls::vbUnchecked);
  } else {
    const QString answer = platform::dialogs().InputBox(QStringLiteral("Please type in the password:"));
    if (answer != stored) {
      cleanGui();
      setCheck1Quietly(controls::vbUnchecked);
      isPasswordCorrect = false;
      platform::dialogs().MsgBox(QStringLiteral("This is NOT the correct password."), platform::vbOKOnly);
      return;
    }
    isPasswordCorrect = true;
    ProjectPassword = stored;
    setCheck1Quietly(controls::vbChecked);
  }

  redRGB = colourPart(data.colourRed);
  greenRGB = colourPart(data.colourGreen);
  blueRGB = colourPart(data.colourBlue);
  if (redRGB > 0) Label19.setLeft(redRGB * (Frame5.Width() - Label19.Width()) / 255);
  Frame5.setBackColor(controls::RGB(redRGB, greenRGB, blueRGB));
  Label14.setCaption(QString::number(redRGB));
  Label17.setCaption(QString::number(greenRGB));
  Label18.setCaption(QString::number(blueRGB));

  Text1_ = QString::fromStdString(data.iconFile);
  if (store::isPlainFileName(data.iconFile)) {
    try {
      Picture1.setPicture(
          controls::LoadPicture(QString::fromStdString(store::setPath(sDirectory.toStdString(), data.iconFile))));
    } catch (const store::StoreError&) {
      // A picture that cannot be loaded leaves the box as it was.
    }
  }

  // The pictures were unpacked into the mirror for this; they are shown and
  // go again. Only a plain name is looked for there: a name of the file
  // never reaches outside the mirror.
  struct Slot {
    const std::string& name;
    QString& member;
    controls::Image& box;
    int slot;
  };
  const Slot pictureSlots[] = {{data.initPicFile, text4_, Image4, 2},
                               {data.titlePicFile, Text_imgTop_, Image2, 0},
                               {data.bottomPicFile, Text_ImgBottom, Image3, 1}};
  for (const Slot& s : pictureSlots) {
    s.member = QString::fromStdString(s.name);
    picNames[s.slot] = s.member;
    if (!store::isPlainFileName(s.name)) continue;
    const std::string path = store::setPath(mirror, s.name);
    try {
      s.box.setPicture(controls::loadPictureFor(s.box, QString::fromStdString(path)));
    } catch (const store::StoreError&) {
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }

  lblProjectTitle.setCaption(QString::fromStdString(data.projectTitle));
  lblProjectSubTitle.setCaption(QString::fromStdString(data.projectSubTitle));
  Label13.setCaption(QString::fromStdString(data.infoText));
  showFolderSize();
}
