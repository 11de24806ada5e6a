// Several authoring programs on one program folder share its project list:
// a create or delete in one window keeps every project the others listed or
// took off meanwhile, the picker then shows the list as it stands, and a
// list that cannot take the change is left whole. The other programs are
// played by the test through the store, or run as processes of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "autorun_file.h"
#include "file_io.h"
#include "project_list.h"
#include "projects_fixture.h"

namespace authoring_test {
namespace {

const char kStalePick[] = "This project was changed or deleted by another program; nothing was deleted.";

class SharedListTest : public ProjectsTest {
 protected:
  void SetUp() override {
    ProjectsTest::SetUp();
    QApplication::processEvents();
  }

  fs::path listFile() const { return fakes.folder.path() / "qdd.dat"; }
  fs::path elsewhere() const { return fs::path(place.path().toStdString()) / "Other"; }

  // Another program's create of `name` in `where` (the location when
  // empty): the project folder with its data, the mirror, the list entry.
  void createdElsewhere(const std::string& name, const fs::path& where = {}) {
    const fs::path project = (where.empty() ? location : where) / name;
    fs::create_directories(project);
    store::writeAutorunForNewProject(project, name);
    store::ProjectData data;
    data.projectTitle = name;
    store::writeProjectData(project / "dat.qd", data);
    fs::create_directory(mirrorOf(name));
    store::changeProjectList(listFile(), [&](std::vector<store::ProjectListEntry>& entries) {
      entries.push_back({name, project.string()});
      return true;
    });
  }
  // Another program's delete of `name`, made in the location.
  void deletedElsewhere(const std::string& name) {
    fs::remove_all(projectAt(name));
    fs::remove_all(mirrorOf(name));
    store::changeProjectList(listFile(), [&](std::vector<store::ProjectListEntry>& entries) {
      std::erase(entries, store::ProjectListEntry{name, projectAt(name).string()});
      return true;
    });
  }

};

TEST_F(SharedListTest, ACreateKeepsWhatAnotherProgramListedAndThePickerShowsIt) {
  createdElsewhere("Second");
  createWithTheMouse("Third");
  EXPECT_EQ(listedProjects(), (Pairs{at("Second"), at("Third")}));
  EXPECT_EQ(picker(), listedProjects());

  // The other program's project is reachable from here.
  chooseWithTheMouse("Second");
  ASSERT_TRUE(user.clickOn(form.cmdOpenExistProj));
  EXPECT_EQ(form.lblProjectName.Caption(), "Second");
  EXPECT_EQ(form.sDirectory.toStdString(), projectAt("Second").string());
}

TEST_F(SharedListTest, DeletesKeepWhatAnotherProgramChangedMeanwhile) {
  create("Alpha");
  create("Beta");
  create("Gamma");
  createdElsewhere("Delta");
  deleteWithTheMouse("Alpha");
  EXPECT_FALSE(fs::exists(projectAt("Alpha")));
  EXPECT_EQ(listedProjects(), (Pairs{at("Beta"), at("Gamma"), at("Delta")}));
  EXPECT_EQ(picker(), listedProjects());

  // Beta, still in this picker, is gone already: its delete says so and
  // just takes it off the picker.
  deletedElsewhere("Beta");
  createdElsewhere("Echo");
  deleteWithTheMouse("Beta", kStalePick);
  EXPECT_EQ(listedProjects(), (Pairs{at("Gamma"), at("Delta"), at("Echo")}));
  EXPECT_EQ(picker(), listedProjects());
  EXPECT_TRUE(form.cmdOpenExistProj.Enabled());
}

TEST_F(SharedListTest, TheHighlightedProjectStaysTheOneOpenedWhenTheListChangesAroundIt) {
  create("Alpha");
  create("Beta");
  chooseWithTheMouse("Beta");
  deletedElsewhere("Alpha");
  createdElsewhere("Gamma");
  createWithTheMouse("Delta");
  ASSERT_EQ(picker(), (Pairs{at("Beta"), at("Gamma"), at("Delta")}));
  onTab(0);
  ASSERT_TRUE(user.clickOn(form.Option2));
  EXPECT_EQ(form.listProjects.ListIndex(), 0);
  ASSERT_TRUE(user.clickOn(form.cmdOpenExistProj));
  EXPECT_EQ(form.lblProjectName.Caption(), "Beta");
}

TEST_F(SharedListTest, ACreateTheListOnDiskRefusesMakesNothing) {
  const std::string damaged = [] {
    const store::Bytes whole = store::encodeProjectList({{"Rock", "/music/Rock"}});
    return std::string(whole.begin(), whole.end()) + "x";
  }();
  const struct {
    const char* what;
    std::function<void()> arrange;
    const char* typed;
    const char* refusal;
    const char* title;
  } cases[] = {
      {"another program listed the name since",
       [&] { createdElsewhere("Rock", elsewhere()); },
       "ROCK",
       "Project may have been already created. please choose a diferent name.",
       "Quendrel"},
      {"the list is damaged",
       [&] { writeBytes(listFile(), damaged); },
       "Pop",
       "The project list qdd.dat is damaged; it was left as it is.",
       "Error"},
      {"the list is empty, not even the count of an empty list",
       [&] { writeBytes(listFile(), ""); },
       "Z0",
       "The project list qdd.dat is damaged; it was left as it is.",
       "Error"},
      {"the list is no file",
       [&] {
         fs::remove(listFile());
         fs::create_directory(listFile());
       },
       "Pop",
       "Path/File access error",
       "Error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(listFile());
    fs::remove_all(elsewhere());
    fs::remove_all(fakes.folder.handle() / "Rock");
    c.arrange();
    const std::optional<std::string> before =
        fs::is_regular_file(listFile()) ? std::optional(bytesOf(listFile())) : std::nullopt;
    onTab(0);
    ASSERT_TRUE(user.clickOn(form.Option1));
    form.txtProjectName.setText(c.typed);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withTitle(c.title);
    ASSERT_TRUE(user.clickOn(form.cmdBuildNewProj));
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_TRUE(fs::is_empty(location));
    EXPECT_FALSE(fs::exists(mirrorOf(c.typed)));
    EXPECT_TRUE(form.sDirectory.isEmpty());
    if (before) {
      EXPECT_EQ(bytesOf(listFile()), *before);
    }
  }
}

TEST_F(SharedListTest, ADeleteADamagedListCannotTakeKeepsTheProject) {
  create("Alpha");
  create("Beta");
  writeBytes(listFile(), bytesOf(listFile()) + "x");
  const std::string before = bytesOf(listFile());
  chooseWithTheMouse("Alpha");
  fakes.dialogs->expectMsgBox("Detele this project?", platform::vbYes);
  fakes.dialogs->expectMsgBox("The project list qdd.dat is damaged; it was left as it is.", platform::vbOK);
  ASSERT_TRUE(user.clickOn(form.Command1));
  EXPECT_TRUE(fakes.dialogs->allShown());
  EXPECT_TRUE(fs::exists(projectAt("Alpha") / "dat.qd"));
  EXPECT_TRUE(fs::is_directory(mirrorOf("Alpha")));
  EXPECT_EQ(bytesOf(listFile()), before);
  EXPECT_EQ(picker(), (Pairs{at("Alpha"), at("Beta")}));
}

// ---- Programs as processes of their own
// ----------------------------------------------------------

// Two programs that loaded the same list create and delete projects on it
// at the same time; whatever the order of their changes, every project
// created and not deleted is listed once.
TEST(ProgramsOnOneFolder, CreatesAndDeletesAtOnceLoseNoProject) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const fs::path program = fs::path(root.path().toStdString()) / "Quendrel";
  const fs::path location = fs::path(root.path().toStdString()) / "Music";
  const fs::path barrier = fs::path(root.path().toStdString()) / "barrier";
  for (const fs::path& folder : {program / "Handle", location, barrier}) fs::create_directories(folder);
  for (const char* file : {"rodud.qd", "rizodu.qd", "qd.001"})
    store::writeFileAtomically(program / file, std::string_view(file));
  store::writeProjectList(program / "qdd.dat", {{"Demo Collection", (program / "Demo Collection").string()}});

  constexpr int kCreates = 10;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess a, b;
  for (auto [probe, prefix] : {std::pair{&a, "A"}, std::pair{&b, "B"}}) {
    probe->setProcessEnvironment(environment);
    probe->start(PROJECTS_PROBE, {QString::fromStdString(program.string()), QString::fromStdString(location.string()),
                                  QString::fromStdString(barrier.string()), prefix, QString::number(kCreates)});
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::distance(fs::directory_iterator(barrier), {}) < 2 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  store::writeFileAtomically(barrier / "go", std::string_view());
  for (QProcess* probe : {&a, &b}) {
    ASSERT_TRUE(probe->waitForFinished(60000));
    EXPECT_EQ(probe->exitCode(), 0) << probe->readAllStandardError().toStdString();
  }

  std::vector<std::string> expected = {"Demo Collection"};
  for (const char* prefix : {"A", "B"})
    for (int i = 1; i < kCreates; i += 2) expected.push_back(prefix + std::to_string(i));
  std::vector<std::string> listed;
  for (const store::ProjectListEntry& e : store::readProjectList(program / "qdd.dat")) {
    listed.push_back(e.name);
    if (e.name != "Demo Collection") {
      EXPECT_EQ(e.folder, (location / e.name).string());
    }
  }
  std::sort(expected.begin(), expected.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace authoring_test
