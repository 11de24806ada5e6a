#include "projects_fixture.h"

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

std::vector<std::pair<std::string, std::string>> ProjectsTest::listedProjects() const {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const store::ProjectListEntry& e : store::readProjectList(fakes.folder.path() / "qdd.dat"))
    pairs.emplace_back(e.name, e.folder);
  return pairs;
}

}  // namespace authoring_test
