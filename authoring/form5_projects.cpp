// Projects: the picker of tab 0, create, open, delete and the password.
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "album_files.h"
#include "ansi_text.h"
#include "autorun_file.h"
#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "file_work_errors.h"
#include "folder_listing.h"
#include "form5.h"
#include "key_codes.h"
#include "pack_file.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "project_changes.h"
#include "project_data.h"
#include "store_error.h"
#include "system/app_paths.h"
#include "system/file_services.h"

namespace {

namespace fs = std::filesystem;

QString lastPathPart(const QString& path) { return path.mid(path.lastIndexOf('/') + 1); }

const char kNameTaken[] = "Project may have been already created. please choose a diferent name.";

// The third name rule, found broken once the create has begun: another
// program made a project of this name or at this place meanwhile.
struct NameTaken {};

// Project names are compared without regard to case: Rock and ROCK are one
// name.
bool listsName(const std::vector<store::ProjectListEntry>& listed, const std::string& name) {
  return std::any_of(listed.begin(), listed.end(),
                     [&](const store::ProjectListEntry& e) { return runtime::ansiEqualNoCase(e.name, name); });
}

}  // namespace

void Form5::connectProjectHandlers() {
  Option1.Click = [this] { Option1_Click(); };
  Option2.Click = [this] { Option2_Click(); };
  listProjects.Click = [this] { listProjects_Click(); };
  listProjects.DblClick = [this] { listProjects_DblClick(); };
  listProjects.MouseDown = [this](int b, int s, double x, double y) { listProjects_MouseDown(b, s, x, y); };
  Drive1.Change = [this] { Drive1_Change(); };
  Dir1.MouseDown = [this](int b, int s, double x, double y) { Dir1_MouseDown(b, s, x, y); };
  txtProjectName.KeyDown = [this](int& keyCode, int shift) { txtProjectName_KeyDown(keyCode, shift); };
  txtProjectName.MouseDown = [this](int b, int s, double x, double y) { txtProjectName_MouseDown(b, s, x, y); };
  cmdBuildNewProj.Click = [this] { cmdBuildNewProj_Click(); };
  cmdOpenExistProj.Click = [this] { cmdOpenExistProj_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Check1.Click = [this] { Check1_Click(); };
}

// ---- The picker
// ---------------------------------------------------------------

void Form5::Option1_Click() {
  for (controls::Control* c :
       std::initializer_list<controls::Control*>{&Dir1, &Drive1, &txtProjectName, &cmdBuildNewProj, &Label16})
    c->setVisible(true);
  for (controls::Control* c : std::initializer_list<controls::Control*>{&listProjects, &cmdOpenExistProj, &Command1})
    c->setVisible(false);
  // The mode changes in help mode as well.
  helpShown(QStringLiteral("Choose this option inorder to enable the creation of a new project."));
  for (controls::Control* c : std::initializer_list<controls::Control*>{&cmdOpenExistProj, &Command1, &listProjects})
    c->setEnabled(false);
  for (controls::Control* c :
       std::initializer_list<controls::Control*>{&cmdBuildNewProj, &Drive1, &Dir1, &txtProjectName})
    c->setEnabled(true);
}

void Form5::Option2_Click() {
  for (controls::Control* c :
       std::initializer_list<controls::Control*>{&Dir1, &Drive1, &txtProjectName, &cmdBuildNewProj, &Label16})
    c->setVisible(false);
  for (controls::Control* c :
       std::initializer_list<controls::Control*>{&listProjects, &cmdOpenExistProj, &Command1, &Check1})
    c->setVisible(true);
  helpShown(QStringLiteral("Choose this option inorder to enable loading a saved project."));
  listProjects.setEnabled(true);
  for (controls::Control* c :
       std::initializer_list<controls::Control*>{&cmdBuildNewProj, &Drive1, &Dir1, &txtProjectName})
    c->setEnabled(false);
  // Open and Delete follow the list's selection. An entry still highlighted
  // from before (the open project) raises no new click, so it is applied
  // here: the highlighted project can be opened or deleted at once.
  listProjects_Click();
}

void Form5::listProjects_Click() {
  if (listProjects.ListIndex() == -1) return;
  cmdOpenExistProj.setEnabled(true);
  Command1.setEnabled(true);
}

void Form5::listProjects_DblClick() { cmdOpenExistProj_Click(); }

void Form5::listProjects_MouseDown(int, int, double, double) {
  helpShown(QStringLiteral("The list of saved projects."));
}

void Form5::Drive1_Change() {
  try {
    Dir1.setPath(Drive1.Drive());
  } catch (const store::StoreError& error) {
    showFileWorkError(error);
  }
}

void Form5::Dir1_MouseDown(int, int, double, double) {
  helpShown(QStringLiteral("The location where the new project will be created."));
}

void Form5::txtProjectName_KeyDown(int& KeyCode, int) {
  if (KeyCode == controls::vbKeySpace) {
    platform::dialogs().MsgBox(QStringLiteral("No spaces are allowed."), platform::vbOKOnly);
    txtProjectName.setText(album_files::trimBlanks(txtProjectName.Text()));
  } else if (KeyCode == controls::vbKeyReturn) {
    cmdBuildNewProj_Click();
  }
}

void Form5::txtProjectName_MouseDown(int, int, double, double) {
  helpShown(
      QStringLiteral("Inorder to build a new project, type its name here "
                     "after you chose its location."));
}

// ---- Create
// --------------------------------------------------------------------

void Form5::cmdBuildNewProj_Click() { buildNewProject(txtProjectName.Text()); }

bool Form5::projectNameRefused(const QString& name, const QString& projectFolder) {
  QString refusal;
  try {
    // "." and ".." name no new folder but the location itself or the one
    // above it, and Handle or the program folder as the mirror.
    if (!album_files::isLegalName(name) || name == QLatin1String(".") || name == QLatin1String("..")) {
      refusal = QStringLiteral("Illegal name.");
    } else if (name.contains(' ')) {
      refusal = QStringLiteral("Name can not contain spaces.");
    } else if (projectListed(name) || platform::findNoCase(Dir1.Path().toStdString(), name.toStdString())) {
      refusal = QString::fromLatin1(kNameTaken);
    } else {
      // A name or place the project files cannot hold would leave a project
      // half made; it is refused before anything is.
      store::toAnsiOrThrow(name.toStdString(), "project name");
      store::toAnsiOrThrow(projectFolder.toStdString(), "project folder");
      return false;
    }
  } catch (const store::StoreError& error) {
    showFileWorkError(error, QStringLiteral("Error"));
    return true;
  }
  platform::dialogs().MsgBox(refusal, platform::vbOKOnly);
  return true;
}

bool Form5::projectListed(const QString& name) const {
  // Another program may have listed it since this window's list was
  // filled; a list that could not take the new entry refuses the create
  // before anything is made. Reading the list deals with what killed
  // programs left first, which may free the name's folder.
  const std::string wanted = name.toStdString();
  for (int i = 0; i < listProjects.ListCount(); ++i)
    if (runtime::ansiEqualNoCase(listProjects.List(i).toStdString(), wanted)) return true;
  return listsName(projectListNow(), wanted);
}

void Form5::buildNewProject(const QString& name) {
  if (helpShown(QStringLiteral("Press this button inorder to build a new project. "
                               "you should chose its location and name first.")))
    return;
  const std::string location = Dir1.Path().toStdString();
  const QString projectFolder = QString::fromStdString(store::setPath(location, name.toStdString()));
  if (projectNameRefused(name, projectFolder)) return;

  ProjectPassword.clear();
  cleanGui();
  cmdBuildNewProj.setEnabled(false);
  try {
    // The name rules once more, under the list lock, when the project's
    // folders are made and when they take their names.
    project_changes::Creation creation(
        name.toStdString(), projectFolder.toStdString(), [&](const project_changes::Entries& listed) {
          const std::string wanted = name.toStdString();
          if (platform::findNoCase(location, wanted) || listsName(listed, wanted)) throw NameTaken{};
          // A mirror left by an earlier project of this name, in any case,
          // is not taken over.
          if (platform::findNoCase(program_folder::handle(), wanted))
            throw store::StoreError(store::describeErrno(EEXIST));
          return true;
        });
    // The project is built where the creation keeps it until it is whole.
    sDirectory = QString::fromStdString(creation.projectFolder());
    workDirectory = QString::fromStdString(creation.mirror());
    copyProjectTemplates(name);
    store::writeAutorunForNewProject(sDirectory.toStdString(), name.toStdString());
    for (QString* member : {&Text1_, &text4_, &Text_imgTop_, &Text_ImgBottom}) member->clear();
    picNames.assign(3, QString());
    lblProjectTitle.setCaption(name);
    isPasswordCorrect = true;
    saveProjectData();
    const std::optional<project_changes::Entries> listed = creation.commit();
    sDirectory = projectFolder;
    workDirectory = QString::fromStdString(program_folder::mirror(name));
    showProjectList(listed.value_or(project_changes::Entries{}));
  } catch (const NameTaken&) {
    platform::dialogs().MsgBox(QString::fromLatin1(kNameTaken), platform::vbOKOnly);
    cmdBuildNewProj.setEnabled(true);
    forgetHalfMadeProject();
    return;
  } catch (const store::StoreError& error) {
    showFileWorkError(error, QStringLiteral("Error"));
    cmdBuildNewProj.setEnabled(true);
    forgetHalfMadeProject();
    return;
  }
  // The folder was just made: one that cannot be listed has nothing to show.
  skippingFileErrors([&] {
    Dir4.setPath(sDirectory);
    Dir1.Refresh();
  });
  lblCdLabl.setCaption(name);
  List1.Clear();
  lblProjectName.setCaption(name);
  skippingFileErrors([&] { File4.setPath(sDirectory); });
  showFolderSize();
  Command2.setEnabled(true);
  setCheck1Quietly(controls::vbUnchecked);
  Command27.setEnabled(false);
  platform::dialogs().MsgBox(QStringLiteral("Created"), platform::vbOKOnly, QStringLiteral("Quendrel."));
  txtProjectName.setText(QString());
  EnableButtons(true);
  SSTab1.setTab(1);
  cmdBuildNewProj.setEnabled(true);
  Check1.setEnabled(true);
}

void Form5::copyProjectTemplates(const QString& name) {
  const std::string project = sDirectory.toStdString();
  album_files::copyNoReplace(program_folder::file("rodud.qd"), store::setPath(project, name.toStdString() + ".exe"));
  album_files::copyNoReplace(program_folder::file("rizodu.qd"), store::setPath(project, "QD.exe"));
  for (const std::string& file : store::listFiles(program_folder::path(), "qd.0*"))
    album_files::copyNoReplace(store::setPath(program_folder::path(), file), store::setPath(project, file));
}

void Form5::forgetHalfMadeProject() {
  sDirectory.clear();
  workDirectory.clear();
  isPasswordCorrect = false;
  lblProjectName.setCaption(QString());
  lblProjectTitle.setCaption(QString());
  // The album list was emptied with the display; the songs and the size of
  // the project open before go with it.
  showNoSongs();
  lblFolderSize.setCaption(QString());
  EnableButtons(false);
  Command27.setEnabled(false);
  setCheck1Quietly(controls::vbUnchecked);
  Check1.setEnabled(false);
}

// ---- Open
// ----------------------------------------------------------------------

void Form5::cmdOpenExistProj_Click() {
  if (helpShown(QStringLiteral("This button opens a saved project."))) return;
  const int index = listProjects.ListIndex();
  if (index < 0) return;
  const QString name = listProjects.List(index);
  // A damaged list may hold a name that leads out of Handle (".." makes the
  // program folder the mirror, whose pictures the next picture command
  // deletes): such a project is not opened at all.
  if (!store::isPlainFileName(name.toStdString())) {
    platform::dialogs().MsgBox(QStringLiteral("Illegal name."), platform::vbOKOnly, QStringLiteral("Error"));
    return;
  }
  Command7.setEnabled(false);
  const QString folder = listProjectsPath.List(index);
  if (!store::FileExists(store::setPath(folder.toStdString(), store::kProjectDataFileName))) {
    platform::dialogs().MsgBox(QStringLiteral("Project no longer exist."), platform::vbOKOnly);
    return;
  }

  sDirectory = folder;
  for (QString* member : {&Text1_, &text4_, &Text_imgTop_, &Text_ImgBottom}) member->clear();
  cleanGui();
  List1.Clear();
  try {
    Dir4.setPath(sDirectory);
    Dir4.Refresh();
  } catch (const store::StoreError&) {
    // dat.qd was just found there; a folder that cannot be listed has no albums
    // to show.
  }
  for (int i = 0; i < Dir4.ListCount(); ++i) List1.AddItem(lastPathPart(Dir4.List(i)));
  imgPreview2.setEnabled(false);
  lblProjectName.setCaption(name);

  // A project copied in from elsewhere may have no mirror yet; the album and
  // lyrics commands need one.
  const std::string mirror = program_folder::mirror(name);
  const bool mirrorMade = !store::DirExists(mirror);
  if (mirrorMade) skippingFileErrors([&] { album_files::ensureFolder(mirror); });
  // The pictures unpacked for the data reader, which deletes them again
  // once it has shown them. A project that never had a picture has no dop.qd.
  std::vector<std::string> unpacked;
  const std::string packFile = store::setPath(sDirectory.toStdString(), store::kPicturesPackFileName);
  if (store::FileExists(packFile)) {
    try {
      unpacked = store::unpackFiles(packFile, mirror);
    } catch (const store::StoreError& error) {
      showFileWorkError(error);
    }
  }

  loadProjectData();
  if (!isPasswordCorrect) {
    // The album list was emptied with the display; the song list must not
    // go on showing the project open before.
    showNoSongs();
    // The refused project's mirror is left as it was found.
    std::error_code ec;
    for (const std::string& member : unpacked) fs::remove(store::setPath(mirror, member), ec);
    if (mirrorMade) fs::remove(mirror, ec);
    return;
  }

  try {
    File4.setPath(sDirectory);
  } catch (const store::StoreError&) {
  }
  Command2.setEnabled(true);
  lblCdLabl.setCaption(QString::fromStdString(
      store::autorunLabel(store::readAutorunLines(sDirectory.toStdString(), name.toStdString()))));
  EnableButtons(true);
  SSTab1.setTab(1);
  workDirectory = QString::fromStdString(mirror);
  Check1.setEnabled(true);
  Command27.setEnabled(List1.ListCount() > 0);
}

// ---- Delete
// --------------------------------------------------------------------

void Form5::Command1_Click() {
  if (helpShown(QStringLiteral("This buttons alows you to delete a saved project."))) return;
  const int index = listProjects.ListIndex();
  if (index < 0) return;
  const QString name = listProjects.List(index);
  if (name == lblProjectName.Caption()) {
    platform::dialogs().MsgBox(QStringLiteral("This project is currently active and can not be deleted."),
                               platform::vbOKOnly);
    return;
  }
  if (platform::dialogs().MsgBox(QStringLiteral("Detele this project?"), platform::vbYesNo) != platform::vbYes) return;
  const QString folder = listProjectsPath.List(index);
  project_changes::Deletion deletion;
  try {
    deletion = project_changes::deleteProject(name.toStdString(), folder.toStdString());
  } catch (const store::StoreError& error) {
    showFileWorkError(error);
    return;
  }
  showProjectList(deletion.listed);
  // The picker was behind the list: another program deleted this project,
  // or made another of its name, since.
  if (!deletion.deleted)
    platform::dialogs().MsgBox(
        QStringLiteral("This project was changed or deleted by another program; nothing was deleted."),
        platform::vbOKOnly);
  if (listProjects.ListCount() == 0) {
    cmdOpenExistProj.setEnabled(false);
    Command1.setEnabled(false);
  }
}

// ---- Password
// ------------------------------------------------------------------

void Form5::setCheck1Quietly(int value) {
  nowLoading = true;
  Check1.setValue(value);
  nowLoading = false;
}

void Form5::Check1_Click() {
  if (nowLoading) return;
  const int other = Check1.Value() == controls::vbChecked ? controls::vbUnchecked : controls::vbChecked;
  // The box goes back to what the project holds when the click does nothing.
  if (helpShown(QStringLiteral("If the checkbox is marked, you will be able to add a personal "
                               "secret password to your "
                               "project. this way noone will be able to edit it but you.")) ||
      !projectEditable()) {
    setCheck1Quietly(other);
    return;
  }
  const QString before = ProjectPassword;
  if (Check1.Value() == controls::vbChecked) {
    QString answer;
    do {
      answer = platform::dialogs().InputBox(QStringLiteral("Type in the password"));
    } while (album_files::holdsIllegalCharacter(answer));
    if (album_files::trimBlanks(answer).isEmpty()) {
      Check1.setValue(controls::vbUnchecked);  // runs this command again, as a clearing
      platform::dialogs().MsgBox(QStringLiteral("No password was set."), platform::vbOKOnly);
    } else {
      ProjectPassword = answer;
    }
  } else {
    ProjectPassword.clear();
  }
  if (!projectDataSaved()) {
    ProjectPassword = before;
    setCheck1Quietly(before.isEmpty() ? controls::vbUnchecked : controls::vbChecked);
  }
}
