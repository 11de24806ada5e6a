// Creating and deleting projects when things go wrong: a step that fails
// (a full disk), a list whose lock cannot be taken, a program killed at any
// step of a change, a picker that is behind the list. A change is done whole
// or not at all, and nothing a failed or killed change leaves blocks a name.
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "file_io.h"
#include "project_changes.h"
#include "project_list.h"
#include "projects_fixture.h"
#include "store_error.h"
#include "system/app_paths.h"

namespace authoring_test {
namespace {

const char kStalePick[] = "This project was changed or deleted by another program; nothing was deleted.";

// Every entry of `folder`, hidden ones too; none when it is missing.
std::vector<std::string> entriesOf(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// `what` happens at the step `at` of every create and delete while this
// lives.
class AtStep {
 public:
  AtStep(const std::string& at, const std::function<void()>& what) {
    project_changes::testing::setStepHook([at, what](std::string_view step) {
      if (step == at) what();
    });
  }
  ~AtStep() { project_changes::testing::setStepHook({}); }
  AtStep(const AtStep&) = delete;
  AtStep& operator=(const AtStep&) = delete;
};

// The step `at` fails as on a full disk.
struct FailingStep : AtStep {
  explicit FailingStep(const std::string& at) : AtStep(at, [] { throw store::StoreError("Disk full"); }) {}
};

// Another program on the same program folder, killed at one step of a
// create or a delete: it creates <prefix>0, and with `deletes` <prefix>1
// too and deletes <prefix>0.
void runKilledProgram(const fs::path& program, const fs::path& location, const std::string& killedAt, bool deletes,
                      const QString& prefix = QStringLiteral("P"));

class ProjectChanges : public ProjectsTest {
 protected:
  // No project anywhere, then another program killed at `killedAt`.
  void noProjectsAndAProgramKilledAt(const std::string& killedAt, bool deletes) {
    for (const fs::path& folder : {location, fakes.folder.handle()}) {
      fs::remove_all(folder);
      fs::create_directory(folder);
    }
    writeBytes(listFile(), std::string("\0\0", 2));
    runKilledProgram(fakes.folder.path(), location, killedAt, deletes);
  }

  void SetUp() override {
    ProjectsTest::SetUp();
    QApplication::processEvents();  // the window comes up active
  }

  fs::path listFile() const { return fakes.folder.path() / "qdd.dat"; }

  // What the user and the disk show of the projects: the picker, the list
  // file, the location and Handle, each entry by name.
  struct Seen {
    Pairs picker, listed;
    std::vector<std::string> location, handle;
    bool operator==(const Seen&) const = default;
  };
  Seen seen() const {
    return {picker(), listedProjects(), entriesOf(location), entriesOf(fakes.folder.handle())};
  }
  friend void PrintTo(const Seen& s, std::ostream* out) {
    *out << testing::PrintToString(s.picker) << " listed " << testing::PrintToString(s.listed) << " location "
         << testing::PrintToString(s.location) << " Handle " << testing::PrintToString(s.handle);
  }

  // Alpha with an album, a song and the song's lyrics in the mirror.
  void createAlphaWithASong() {
    createWithTheMouse("Alpha");
    fs::create_directory(projectAt("Alpha") / "01 - Rock");
    writeBytes(projectAt("Alpha") / "01 - Rock" / "01 - Song.mp3", "mp3");
    fs::create_directory(mirrorOf("Alpha") / "01 - Rock");
    writeBytes(mirrorOf("Alpha") / "01 - Rock" / "01 - Song.dat", "lyrics");
  }
  void expectAlphaWhole() {
    EXPECT_EQ(bytesOf(projectAt("Alpha") / "01 - Rock" / "01 - Song.mp3"), "mp3");
    EXPECT_TRUE(fs::exists(projectAt("Alpha") / "dat.qd"));
    EXPECT_EQ(bytesOf(mirrorOf("Alpha") / "01 - Rock" / "01 - Song.dat"), "lyrics");
  }
};

// ---- Failures
// ------------------------------------------------------------------

TEST_F(ProjectChanges, ACreateThatFailsAtAnyStepLeavesNothingAndTheNameFree) {
  createWithTheMouse("Beta");
  const Seen before = seen();
  for (const char* failing : {"create: folders made", "create: project named", "create: mirror named"}) {
    SCOPED_TRACE(failing);
    {
      const FailingStep fails(failing);
      createWithTheMouse("Alpha", "Disk full", "Error");
    }
    EXPECT_TRUE(form.sDirectory.isEmpty());
    EXPECT_EQ(seen(), before);
  }
  // With room again, the name is free.
  createWithTheMouse("Alpha");
  EXPECT_EQ(listedProjects(), (Pairs{at("Beta"), at("Alpha")}));
  EXPECT_TRUE(fs::exists(projectAt("Alpha") / "Alpha.exe"));
}

// A folder of the name that someone made while the project was being built
// is never taken over, nor removed: the create is refused and leaves only
// that folder.
TEST_F(ProjectChanges, AFolderOfTheNameMadeMeanwhileStopsTheCreateAndStays) {
  {
    const AtStep meanwhile("create: folders made", [&] {
      fs::create_directory(projectAt("Alpha"));
      writeBytes(projectAt("Alpha") / "mine.txt", "kept");
    });
    createWithTheMouse("Alpha", "Project may have been already created. please choose a diferent name.", "Quendrel");
  }
  EXPECT_EQ(entriesOf(location), std::vector<std::string>{"Alpha"});
  EXPECT_EQ(entriesOf(projectAt("Alpha")), std::vector<std::string>{"mine.txt"});
  EXPECT_TRUE(entriesOf(fakes.folder.handle()).empty());
  EXPECT_TRUE(listedProjects().empty());
  EXPECT_TRUE(form.sDirectory.isEmpty());
}

TEST_F(ProjectChanges, ADeleteThatFailsAtAnyStepChangesNothing) {
  createAlphaWithASong();
  createWithTheMouse("Beta");
  const Seen before = [&] {
    chooseWithTheMouse("Alpha");
    return seen();
  }();
  for (const char* failing : {"delete: record made", "delete: project put aside", "delete: mirror put aside"}) {
    SCOPED_TRACE(failing);
    {
      const FailingStep fails(failing);
      deleteWithTheMouse("Alpha", "Disk full");
    }
    EXPECT_EQ(seen(), before);
    expectAlphaWhole();
  }
  // Open finds it whole.
  ASSERT_TRUE(user.clickOn(form.cmdOpenExistProj));
  EXPECT_EQ(form.lblProjectName.Caption(), "Alpha");
  ASSERT_EQ(form.List1.ListCount(), 1);
}

// A lock file that no one may open (here a link, which the lock never
// follows) refuses every change before anything is made or removed.
TEST_F(ProjectChanges, AListWhoseLockCannotBeTakenRefusesTheChangeBeforeAnything) {
  createAlphaWithASong();
  createWithTheMouse("Beta");
  chooseWithTheMouse("Alpha");
  fs::remove(fakes.folder.path() / "qdd.dat.lock");
  fs::create_symlink(fakes.folder.path() / "elsewhere.lock", fakes.folder.path() / "qdd.dat.lock");
  const Seen before = seen();
  const std::string list = bytesOf(listFile());
  const char* refusal =
      "The lock file qdd.dat.lock of the project list cannot be opened: Permission denied; nothing was changed.";
  createWithTheMouse("Gamma", refusal, "Error");
  chooseWithTheMouse("Alpha");
  EXPECT_EQ(seen(), before);
  deleteWithTheMouse("Alpha", refusal);
  EXPECT_EQ(seen(), before);
  expectAlphaWhole();
  EXPECT_EQ(bytesOf(listFile()), list);
  EXPECT_FALSE(fs::exists(fakes.folder.path() / "elsewhere.lock"));
}

// ---- A full disk
// ----------------------------------------------------------------

// The program folder and the location of the projects on one small disk, as
// a home folder that fills up and is grown later.
TEST_F(ProjectChanges, OnAFullDiskCreateAndDeleteChangeNothingAndBothWorkOnceThereIsRoom) {
  const fs::path program = fakes.folder.path();
  SmallDisk disk(program, "400k");
  if (!disk.mounted()) GTEST_SKIP() << "no small disk can be mounted here";
  for (const auto& [name, bytes] : templates()) writeBytes(program / name, bytes);
  fs::create_directory(fakes.folder.handle());
  writeBytes(listFile(), std::string("\0\0", 2));
  location = program / "Home";
  fs::create_directory(location);
  form.Dir1.setPath(QString::fromStdString(location.string()));
  form.loadProjectList();
  createWithTheMouse("P1");
  createWithTheMouse("P2");
  disk.fill(program / "filler");

  chooseWithTheMouse("P1");
  const Seen before = seen();
  deleteWithTheMouse("P1", "Disk full");
  EXPECT_EQ(seen(), before);
  EXPECT_TRUE(fs::exists(projectAt("P1") / "dat.qd"));
  createWithTheMouse("P3", "Disk full", "Error");
  EXPECT_EQ(seen(), before);

  ASSERT_TRUE(disk.resize("4m"));
  createWithTheMouse("P3");
  deleteWithTheMouse("P1");
  EXPECT_EQ(listedProjects(), (Pairs{at("P2"), at("P3")}));
  EXPECT_EQ(entriesOf(location), (std::vector<std::string>{"P2", "P3"}));
  EXPECT_EQ(entriesOf(fakes.folder.handle()), (std::vector<std::string>{"P2", "P3"}));
}

// ---- Another program
// -----------------------------------------------------------

// Another program deleted Alpha and made a new Alpha elsewhere, whose mirror
// holds lyrics that exist nowhere else. This picker still shows the old one:
// its delete takes nothing of the new one.
TEST_F(ProjectChanges, DeletingWhatAStalePickerShowsTakesNothingOfAnotherProgramsProject) {
  createWithTheMouse("Alpha");
  createWithTheMouse("Beta");
  chooseWithTheMouse("Alpha");
  const fs::path elsewhere = fs::path(place.path().toStdString()) / "Other" / "Alpha";
  {
    // The other program, through the same store and folder code.
    ASSERT_TRUE(project_changes::deleteProject("Alpha", projectAt("Alpha").string()).deleted);
    fs::create_directories(elsewhere);
    writeBytes(elsewhere / "dat.qd", bytesOf(projectAt("Beta") / "dat.qd"));
    fs::create_directory(mirrorOf("Alpha"));
    writeBytes(mirrorOf("Alpha") / "01 - Song.dat", "only here");
    store::changeProjectList(listFile(), [&](std::vector<store::ProjectListEntry>& entries) {
      entries.push_back({"Alpha", elsewhere.string()});
      return true;
    });
  }
  deleteWithTheMouse("Alpha", kStalePick);
  EXPECT_EQ(bytesOf(mirrorOf("Alpha") / "01 - Song.dat"), "only here");
  EXPECT_TRUE(fs::exists(elsewhere / "dat.qd"));
  const Pairs now = {at("Beta"), {"Alpha", elsewhere.string()}};
  EXPECT_EQ(listedProjects(), now);
  EXPECT_EQ(picker(), now);
}

// ---- Killed programs
// -----------------------------------------------------------

void runKilledProgram(const fs::path& program, const fs::path& location, const std::string& killedAt, bool deletes,
                      const QString& prefix) {
  QTemporaryDir barrier;
  ASSERT_TRUE(barrier.isValid());
  store::writeFileAtomically(fs::path(barrier.path().toStdString()) / "go", std::string_view());
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("QUENDREL_PROBE_KILLED_AT", QString::fromStdString(killedAt));
  QProcess probe;
  probe.setProcessEnvironment(environment);
  probe.start(PROJECTS_PROBE, {QString::fromStdString(program.string()), QString::fromStdString(location.string()),
                               barrier.path(), prefix, deletes ? "2" : "1"});
  ASSERT_TRUE(probe.waitForFinished(60000));
  ASSERT_EQ(probe.exitStatus(), QProcess::CrashExit) << probe.readAllStandardError().toStdString();
}

TEST_F(ProjectChanges, ACreateKilledAtAnyStepLeavesNothingThatBlocksItsName) {
  const struct {
    const char* killedAt;
    bool listed;  // the list was written: the project is made
  } cases[] = {
      {"create: folders made", false},
      {"create: project named", false},
      {"create: mirror named", false},
      {"create: list written", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.killedAt);
    ASSERT_NO_FATAL_FAILURE(noProjectsAndAProgramKilledAt(c.killedAt, false));
    // The next program deals with what the killed one left as it starts.
    Form5 next;
    next.Load();
    EXPECT_EQ(next.listProjects.ListCount(), c.listed ? 1 : 0);
    EXPECT_EQ(entriesOf(location), c.listed ? std::vector<std::string>{"P0"} : std::vector<std::string>{});
    EXPECT_EQ(entriesOf(fakes.folder.handle()), c.listed ? std::vector<std::string>{"P0"} : std::vector<std::string>{});
    if (c.listed) {
      EXPECT_EQ(entriesOf(location / "P0"), (std::vector<std::string>{"AUTORUN.INF", "P0.exe", "QD.exe", "dat.qd",
                                                                       "qd.001", "qd.042", "qd.090", "qd.095"}));
    }
  }
  // A window that was up all along: its create finds the done one's name
  // taken, and frees the name a killed one had put its folders under.
  createWithTheMouse("P0", "Project may have been already created. please choose a diferent name.", "Quendrel");
  ASSERT_NO_FATAL_FAILURE(runKilledProgram(fakes.folder.path(), location, "create: mirror named", false, "R"));
  ASSERT_TRUE(fs::exists(projectAt("R0")));
  createWithTheMouse("R0");
  EXPECT_EQ(listedProjects(), (Pairs{at("P0"), at("R0")}));
  EXPECT_EQ(entriesOf(location), (std::vector<std::string>{"P0", "R0"}));
  EXPECT_EQ(entriesOf(fakes.folder.handle()), (std::vector<std::string>{"P0", "R0"}));
}

TEST_F(ProjectChanges, ADeleteKilledAtAnyStepIsUndoneOrFinishedByTheNextProgram) {
  const struct {
    const char* killedAt;
    bool deleted;  // the list was written without it
  } cases[] = {
      {"delete: record made", false},
      {"delete: project put aside", false},
      {"delete: mirror put aside", false},
      {"delete: list written", true},
      {"delete: project removed", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.killedAt);
    ASSERT_NO_FATAL_FAILURE(noProjectsAndAProgramKilledAt(c.killedAt, true));
    // This window changes the list next: it finds P0 as it was, or gone.
    form.loadProjectList();
    createWithTheMouse("Q");
    const std::vector<std::string> left =
        c.deleted ? std::vector<std::string>{"P1", "Q"} : std::vector<std::string>{"P0", "P1", "Q"};
    EXPECT_EQ(entriesOf(location), left);
    EXPECT_EQ(entriesOf(fakes.folder.handle()), left);
    EXPECT_EQ(listedProjects().size(), left.size());
    if (!c.deleted) {
      EXPECT_TRUE(fs::exists(projectAt("P0") / "P0.exe"));
      deleteWithTheMouse("P0");
      EXPECT_FALSE(fs::exists(projectAt("P0")));
    }
  }
}

}  // namespace
}  // namespace authoring_test
