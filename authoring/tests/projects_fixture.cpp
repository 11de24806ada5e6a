#include "projects_fixture.h"

#include <algorithm>

#include "file_io.h"
#include "project_list.h"

namespace authoring_test {

const std::vector<std::pair<std::string, std::string>>& ProjectsTest::templates() {
  static const std::vector<std::pair<std::string, std::string>> files = {
      {"rodud.qd", "launcher\x01\x02"}, {"rizodu.qd", "player\r\n"}, {"qd.001", "support one"},
      {"qd.042", "support 42"},         {"qd.090", "sample data"},   {"qd.095", ""}};
  return files;
}

void ProjectsTest::SetUp() {
  ASSERT_TRUE(place.isValid());
  location = fs::path(place.path().toStdString()) / "Music";
  fs::create_directory(location);
  for (const auto& [name, bytes] : templates()) writeBytes(fakes.folder.path() / name, bytes);
  for (const char* runnable : {"rodud.qd", "rizodu.qd"})
    fs::permissions(fakes.folder.path() / runnable, fs::perms::owner_exec | fs::perms::group_exec,
                    fs::perm_options::add);
  // Not one of the support files.
  writeBytes(fakes.folder.path() / "qd.100", "other");
  QuietlyStartedWindow::SetUp();
  form.Dir1.setPath(QString::fromStdString(location.string()));
}

void ProjectsTest::onTab(int tab) { form.SSTab1.setTab(tab); }

void ProjectsTest::create(const std::string& name, const fs::path& where) {
  onTab(0);
  if (!form.Option1.Value()) {
    ASSERT_TRUE(form.Option1.click());
  }
  form.Dir1.setPath(QString::fromStdString((where.empty() ? location : where).string()));
  form.txtProjectName.setText(QString::fromStdString(name));
  fakes.dialogs->expectMsgBox("Created", platform::vbOK).withTitle("Quendrel.");
  ASSERT_TRUE(form.cmdBuildNewProj.click());
  ASSERT_TRUE(fakes.dialogs->allShown());
}

void ProjectsTest::open(const std::string& name, const QString& answer, bool refused) {
  onTab(0);
  if (!form.Option2.Value()) {
    ASSERT_TRUE(form.Option2.click());
  }
  int index = -1;
  for (int i = 0; i < form.listProjects.ListCount(); ++i)
    if (form.listProjects.List(i).toStdString() == name) index = i;
  ASSERT_GE(index, 0) << name;
  ASSERT_TRUE(form.listProjects.select(index));
  if (!answer.isEmpty()) fakes.dialogs->expectInputBox("Please type in the password:", answer);
  if (refused) fakes.dialogs->expectMsgBox("This is NOT the correct password.", platform::vbOK);
  ASSERT_TRUE(form.cmdOpenExistProj.click());
}

store::ProjectData ProjectsTest::dataOf(const fs::path& project) { return store::readProjectData(project / "dat.qd"); }

std::string ProjectsTest::bytesOf(const fs::path& file) {
  const store::Bytes bytes = store::readWholeFile(file);
  return std::string(bytes.begin(), bytes.end());
}

void ProjectsTest::writeBytes(const fs::path& file, const std::string& bytes) {
  store::writeFileAtomically(file, bytes);
}

QString ProjectsTest::omegaRefusal(const char* what) {
  return QStringLiteral(
             "The %1 cannot be stored: the character \"%2\" is not "
             "part of the Windows-1252 code page.")
      .arg(QString::fromUtf8(what), QString(QChar(0x03a9)));
}

Pairs ProjectsTest::listedProjects() const {
  Pairs pairs;
  for (const store::ProjectListEntry& e : store::readProjectList(fakes.folder.path() / "qdd.dat"))
    pairs.emplace_back(e.name, e.folder);
  return pairs;
}

void ProjectsTest::createWithTheMouse(const std::string& name, const QString& says, const QString& title) {
  onTab(0);
  ASSERT_TRUE(user.clickOn(form.Option1));
  // A name left from a failed create goes first, as a user would clear it.
  form.txtProjectName.setText(QString());
  ASSERT_TRUE(user.clickOn(form.txtProjectName));
  ASSERT_TRUE(user.type(QString::fromStdString(name)));
  fakes.dialogs->expectMsgBox(says, platform::vbOK).withTitle(title);
  ASSERT_TRUE(user.clickOn(form.cmdBuildNewProj));
  ASSERT_TRUE(fakes.dialogs->allShown());
}

void ProjectsTest::chooseWithTheMouse(const std::string& name) {
  onTab(0);
  ASSERT_TRUE(user.clickOn(form.Option2));
  const Pairs shown = picker();
  const auto it = std::find_if(shown.begin(), shown.end(), [&](const auto& p) { return p.first == name; });
  ASSERT_NE(it, shown.end()) << name << " is not in the picker";
  ASSERT_TRUE(user.clickAt(user.entryOf(form.listProjects, static_cast<int>(it - shown.begin()))));
}

void ProjectsTest::deleteWithTheMouse(const std::string& name, const char* thenSays) {
  ASSERT_NO_FATAL_FAILURE(chooseWithTheMouse(name));
  fakes.dialogs->expectMsgBox("Detele this project?", platform::vbYes);
  if (thenSays) fakes.dialogs->expectMsgBox(thenSays, platform::vbOK);
  ASSERT_TRUE(user.clickOn(form.Command1));
  ASSERT_TRUE(fakes.dialogs->allShown());
}

Pairs ProjectsTest::picker() const {
  Pairs pairs;
  for (int i = 0; i < form.listProjects.ListCount(); ++i)
    pairs.emplace_back(form.listProjects.List(i).toStdString(), form.listProjectsPath.List(i).toStdString());
  return pairs;
}

}  // namespace authoring_test
