// The project picker: the name rules, creating a project (its folders, the
// copies of the templates, AUTORUN.INF, the list and dat.qd), opening one
// (the albums, the pictures, the password, the CD label), deleting one and
// the password box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "autorun_file.h"
#include "file_io.h"
#include "key_codes.h"
#include "pack_file.h"
#include "project_list.h"
#include "projects_fixture.h"
#include "window_input.h"

namespace authoring_test {
namespace {

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool runnable(const fs::path& file) {
  return (fs::status(file).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

// A small picture file; the format follows the name's ending.
void writePicture(const fs::path& path) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
}

// ---- Name rules
// ------------------------------------------------------------------

TEST_F(ProjectsTest, NameRulesRefuseInOrderAndMakeNothing) {
  fs::create_directory(location / "Jazz");  // a folder that is not a listed project
  form.listProjects.AddItem("ROCK");
  form.listProjectsPath.AddItem("/elsewhere/ROCK");
  const struct {
    const char* name;
    const char* refusal;
  } cases[] = {
      {"", "Illegal name."},
      {" ", "Illegal name."},
      {"a|b", "Illegal name."},
      {"a\"b", "Illegal name."},
      {"a:b c", "Illegal name."},  // the characters are tested before the blank
      {".", "Illegal name."},      // the location itself
      {"..", "Illegal name."},     // the folder above it
      {"My Songs", "Name can not contain spaces."},
      {"Rock", "Project may have been already created. please choose a diferent name."},
      {"Jazz", "Project may have been already created. please choose a diferent name."},
      {"jAZZ", "Project may have been already created. please choose a diferent name."},
  };
  onTab(0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form.txtProjectName.setText(c.name);
    fakes.dialogs->expectMsgBox(c.refusal, platform::vbOK).withStyle(platform::vbOKOnly).withTitle("Quendrel");
    ASSERT_TRUE(form.cmdBuildNewProj.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_TRUE(form.sDirectory.isEmpty());
    EXPECT_EQ(form.listProjects.ListCount(), 1);
  }
  EXPECT_EQ(namesIn(location), std::vector<std::string>{"Jazz"});
  EXPECT_TRUE(namesIn(fakes.folder.handle()).empty());
  EXPECT_EQ(fakes.dialogs->shown().size(), std::size(cases));
}

TEST_F(ProjectsTest, ANameTheProjectFilesCannotHoldIsRefusedBeforeAnythingIsMade) {
  onTab(0);
  form.txtProjectName.setText(QString::fromUtf8("\u03a9mega"));
  fakes.dialogs->expectMsgBox(omegaRefusal("project name"), platform::vbOK).withTitle("Error");
  ASSERT_TRUE(form.cmdBuildNewProj.click());
  EXPECT_TRUE(namesIn(location).empty());
  EXPECT_TRUE(form.sDirectory.isEmpty());
}

TEST_F(ProjectsTest, TheNameBoxWarnsOfSpacesAndBuildsOnEnter) {
  onTab(0);
  form.txtProjectName.setText("  Alpha  ");
  fakes.dialogs->expectMsgBox("No spaces are allowed.", platform::vbOK);
  ASSERT_TRUE(form.txtProjectName.pressKey(controls::vbKeySpace));
  EXPECT_TRUE(fakes.dialogs->allShown());
  // The key is not taken back: the blank still lands after the trim.
  EXPECT_EQ(form.txtProjectName.Text().remove(' '), "Alpha");
  EXPECT_TRUE(form.txtProjectName.Text().startsWith("Alpha") || form.txtProjectName.Text().endsWith("Alpha"));

  form.txtProjectName.setText("Alpha");
  fakes.dialogs->expectMsgBox("Created", platform::vbOK).withTitle("Quendrel.");
  ASSERT_TRUE(form.txtProjectName.pressKey(controls::vbKeyReturn));
  EXPECT_TRUE(fs::exists(projectAt("Alpha") / "dat.qd"));
}

// The keyboard alone, through the window: the name box's Enter builds, once,
// and the album tab's add button, reached with Tab, takes Enter as a press.
TEST_F(ProjectsTest, EnterBuildsFromTheNameBoxAndPressesTheButtonTabGaveTheFocus) {
  QApplication::processEvents();  // the window comes up active
  controls::WindowInput user(form);
  onTab(0);
  ASSERT_TRUE(user.clickOn(form.txtProjectName));
  ASSERT_TRUE(user.type("Alpha"));
  fakes.dialogs->expectMsgBox("Created", platform::vbOK).withTitle("Quendrel.");
  ASSERT_TRUE(user.key(controls::vbKeyReturn));
  ASSERT_TRUE(fakes.dialogs->allShown());
  EXPECT_EQ(listedProjects().size(), 1u);
  ASSERT_EQ(form.SSTab1.Tab(), 1);

  tabTo(form, form.Command2);
  fakes.dialogs->expectInputBox("Enter new album name:", "Rock").withDefaultText("");
  ASSERT_TRUE(user.key(controls::vbKeyReturn));
  EXPECT_TRUE(fakes.dialogs->allShown());
  ASSERT_EQ(form.List1.ListCount(), 1);
  EXPECT_EQ(form.List1.List(0), "01 - Rock");
  EXPECT_TRUE(fs::is_directory(projectAt("Alpha") / "01 - Rock"));
}

// The keyboard alone on the location's folder list: the arrow keys
// highlight a folder, Return or the keypad's Enter opens it, and the project
// is built there.
TEST_F(ProjectsTest, EnterOpensTheLocationTheArrowKeysHighlightAndTheProjectIsBuiltThere) {
  fs::create_directories(location / "Albums");
  fs::create_directories(location / "Backup");
  QApplication::processEvents();  // the window comes up active
  controls::WindowInput user(form);
  onTab(0);
  for (bool keypad : {false, true}) {
    SCOPED_TRACE(keypad ? "keypad Enter" : "Return");
    const std::string name = keypad ? "Beta" : "Alpha";
    const auto enter = [&] { return keypad ? user.keypadEnter() : user.key(controls::vbKeyReturn); };
    form.Dir1.setPath(QString::fromStdString(location.string()));
    tabTo(form, form.Dir1);
    ASSERT_TRUE(user.key(controls::vbKeyDown));
    ASSERT_TRUE(enter());
    EXPECT_EQ(form.Dir1.Path().toStdString(), (location / "Albums").string());
    ASSERT_TRUE(user.clickOn(form.txtProjectName));
    ASSERT_TRUE(user.type(QString::fromStdString(name)));
    fakes.dialogs->expectMsgBox("Created", platform::vbOK).withTitle("Quendrel.");
    ASSERT_TRUE(user.clickOn(form.cmdBuildNewProj));
    ASSERT_TRUE(fakes.dialogs->allShown());
    EXPECT_TRUE(fs::exists(location / "Albums" / name / "dat.qd"));
    onTab(0);
  }
}

// ---- Create
// ----------------------------------------------------------------------

TEST_F(ProjectsTest, CreateMakesTheProjectFolderMirrorListEntryAndData) {
  create("Alpha");
  const fs::path project = projectAt("Alpha");
  EXPECT_EQ(namesIn(project), (std::vector<std::string>{"AUTORUN.INF", "Alpha.exe", "QD.exe", "dat.qd", "qd.001",
                                                        "qd.042", "qd.090", "qd.095"}));
  EXPECT_EQ(bytesOf(project / "Alpha.exe"), "launcher\x01\x02");
  EXPECT_EQ(bytesOf(project / "QD.exe"), "player\r\n");
  for (const auto& [name, bytes] : templates())
    if (name.rfind("qd.0", 0) == 0) {
      EXPECT_EQ(bytesOf(project / name), bytes) << name;
    }
  EXPECT_TRUE(runnable(project / "Alpha.exe"));
  EXPECT_TRUE(runnable(project / "QD.exe"));
  EXPECT_EQ(bytesOf(project / "AUTORUN.INF"), "[autorun]\r\nicon = QD.exe,0\r\nlabel = Alpha\r\nopen = Alpha.exe\r\n");

  store::ProjectData expected;
  expected.colourRed = expected.colourGreen = expected.colourBlue = " 0";
  expected.projectTitle = "Alpha";
  EXPECT_EQ(dataOf(project), expected);
  EXPECT_EQ(fs::file_size(project / "dat.qd"), 38u + 2 * 5);

  EXPECT_TRUE(fs::is_directory(mirrorOf("Alpha")));
  EXPECT_TRUE(namesIn(mirrorOf("Alpha")).empty());
  EXPECT_EQ(listedProjects(), (std::vector<std::pair<std::string, std::string>>{{"Alpha", project.string()}}));

  EXPECT_EQ(form.sDirectory.toStdString(), project.string());
  EXPECT_EQ(form.workDirectory.toStdString(), mirrorOf("Alpha").string());
  EXPECT_EQ(form.lblProjectName.Caption(), "Alpha");
  EXPECT_EQ(form.lblProjectTitle.Caption(), "Alpha");
  EXPECT_EQ(form.lblCdLabl.Caption(), "Alpha");
  EXPECT_EQ(form.SSTab1.Tab(), 1);
  EXPECT_TRUE(form.txtProjectName.Text().isEmpty());
  EXPECT_TRUE(form.Command2.Enabled());
  EXPECT_TRUE(form.lblCdLabl.Enabled());
  EXPECT_FALSE(form.Command7.Enabled());
  EXPECT_FALSE(form.Command27.Enabled());
  EXPECT_TRUE(form.cmdBuildNewProj.Enabled());
  EXPECT_TRUE(form.Check1.Enabled());
  EXPECT_EQ(form.Check1.Value(), controls::vbUnchecked);
  EXPECT_EQ(form.File4.Path().toStdString(), project.string());
}

TEST_F(ProjectsTest, TheProjectFolderIsTheLocationAndTheNameWithOneSlash) {
  const fs::path top(place.path().toStdString());
  create("Rock", top);
  create("Pop", location);
  EXPECT_EQ(listedProjects(),
            (std::vector<std::pair<std::string, std::string>>{{"Rock", place.path().toStdString() + "/Rock"},
                                                              {"Pop", place.path().toStdString() + "/Music/Pop"}}));
  EXPECT_TRUE(fs::exists(top / "Rock" / "Rock.exe"));
}

TEST_F(ProjectsTest, ACreateThatFailsHalfWayLeavesNoProjectToEdit) {
  create("Beta");
  const std::string betaData = bytesOf(projectAt("Beta") / "dat.qd");
  fs::remove(fakes.folder.path() / "rodud.qd");
  onTab(0);
  form.txtProjectName.setText("Alpha");
  fakes.dialogs->expectMsgBox("File not found", platform::vbOK).withTitle("Error");
  ASSERT_TRUE(form.cmdBuildNewProj.click());
  EXPECT_TRUE(fakes.dialogs->allShown());
  // Nothing of it stays, under its name or another.
  EXPECT_EQ(namesIn(location), std::vector<std::string>{"Beta"});
  EXPECT_EQ(namesIn(fakes.folder.handle()), std::vector<std::string>{"Beta"});
  EXPECT_EQ(listedProjects().size(), 1u);
  // But nothing names a project any more, and nothing can edit one.
  EXPECT_TRUE(form.sDirectory.isEmpty());
  EXPECT_TRUE(form.workDirectory.isEmpty());
  EXPECT_TRUE(form.lblProjectName.Caption().isEmpty());
  EXPECT_TRUE(form.cmdBuildNewProj.Enabled());
  for (controls::Control* c :
       std::initializer_list<controls::Control*>{&form.Command2, &form.lblProjectTitle, &form.lblCdLabl, &form.Picture1,
                                                 &form.Image2, &form.Command27, &form.Check1})
    EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
  fakes.dialogs->expectMsgBox("First create or open a project.", platform::vbOK);
  EXPECT_FALSE(form.projectEditable());
  EXPECT_EQ(bytesOf(projectAt("Beta") / "dat.qd"), betaData);
}

// The player would replace the launcher QD.exe: the create fails and leaves
// nothing, no half-copied file either.
TEST_F(ProjectsTest, AProjectNamedQDIsRefusedWhenThePlayerWouldReplaceItsLauncher) {
  onTab(0);
  form.txtProjectName.setText("QD");
  fakes.dialogs->expectMsgBox("File already exists", platform::vbOK).withTitle("Error");
  ASSERT_TRUE(form.cmdBuildNewProj.click());
  EXPECT_TRUE(fakes.dialogs->allShown());
  EXPECT_TRUE(namesIn(location).empty());
  EXPECT_TRUE(namesIn(fakes.folder.handle()).empty());
  EXPECT_TRUE(listedProjects().empty());
}

TEST_F(ProjectsTest, AMirrorLeftByAnEarlierProjectIsNotTakenOver) {
  fs::create_directory(fakes.folder.handle() / "ALPHA");
  std::ofstream(fakes.folder.handle() / "ALPHA" / "old.dat") << "kept";
  onTab(0);
  form.txtProjectName.setText("Alpha");
  fakes.dialogs->expectMsgBox("File already exists", platform::vbOK).withTitle("Error");
  ASSERT_TRUE(form.cmdBuildNewProj.click());
  EXPECT_EQ(bytesOf(fakes.folder.handle() / "ALPHA" / "old.dat"), "kept");
  EXPECT_TRUE(form.sDirectory.isEmpty());
}

// ---- Open
// ------------------------------------------------------------------------

class OpenTest : public ProjectsTest {
 protected:
  // Alpha with albums, colour, texts, an icon and two pictures; then Beta,
  // which is open when the test starts.
  void SetUp() override {
    ProjectsTest::SetUp();
    create("Alpha");
    alpha = projectAt("Alpha");
    fs::create_directory(alpha / "02 - Two");
    fs::create_directory(alpha / "01 - One");
    writePicture(alpha / "disc.bmp");
    const fs::path scratch = fs::path(place.path().toStdString()) / "scratch";
    fs::create_directory(scratch);
    writePicture(scratch / "__TitlePicture__.bmp");
    writePicture(scratch / "__Intro__.bmp");
    store::packFiles(alpha / "dop.qd", {"__TitlePicture__.bmp", "", "__Intro__.bmp"}, scratch);
    store::ProjectData data = dataOf(alpha);
    data.colourRed = " 200";
    data.colourGreen = " 100";
    data.colourBlue = " 50";
    data.iconFile = "disc.bmp";
    data.titlePicFile = "__TitlePicture__.bmp";
    data.initPicFile = "__Intro__.bmp";
    data.projectTitle = "The Title";
    data.projectSubTitle = "The Sub";
    data.infoText = "Line one\r\nLine two";
    store::writeProjectData(alpha / "dat.qd", data);
    store::rewriteAutorunLabel(alpha, "Alpha", "My Disc");
    create("Beta");
  }
  fs::path alpha;
};

TEST_F(OpenTest, OpeningFillsTheWindowFromTheProjectsFiles) {
  open("Alpha");
  EXPECT_EQ(form.sDirectory.toStdString(), alpha.string());
  EXPECT_EQ(form.workDirectory.toStdString(), mirrorOf("Alpha").string());
  EXPECT_EQ(form.lblProjectName.Caption(), "Alpha");
  ASSERT_EQ(form.List1.ListCount(), 2);
  EXPECT_EQ(form.List1.List(0), "01 - One");
  EXPECT_EQ(form.List1.List(1), "02 - Two");
  EXPECT_EQ(form.lblProjectTitle.Caption(), "The Title");
  EXPECT_EQ(form.lblProjectSubTitle.Caption(), "The Sub");
  EXPECT_EQ(form.Label13.Caption(), "Line one\r\nLine two");
  EXPECT_EQ(form.lblCdLabl.Caption(), "My Disc");
  EXPECT_EQ(form.redRGB, 200);
  EXPECT_EQ(form.greenRGB, 100);
  EXPECT_EQ(form.blueRGB, 50);
  EXPECT_EQ(form.Label14.Caption(), "200");
  EXPECT_EQ(form.Label17.Caption(), "100");
  EXPECT_EQ(form.Label18.Caption(), "50");
  EXPECT_EQ(form.Frame5.BackColor(), controls::RGB(200, 100, 50));
  EXPECT_DOUBLE_EQ(form.Label19.Left(), 200 * 1350 / 255.0);
  EXPECT_EQ(form.Text1_, "disc.bmp");
  EXPECT_FALSE(form.Picture1.Picture().isEmpty());
  EXPECT_FALSE(form.Image2.Picture().isEmpty());
  EXPECT_TRUE(form.Image3.Picture().isEmpty());
  EXPECT_FALSE(form.Image4.Picture().isEmpty());
  EXPECT_EQ(form.picNames, (std::vector<QString>{"__TitlePicture__.bmp", "", "__Intro__.bmp"}));
  // The unpacked pictures went again.
  EXPECT_TRUE(namesIn(mirrorOf("Alpha")).empty());
  EXPECT_TRUE(form.isPasswordCorrect);
  EXPECT_EQ(form.Check1.Value(), controls::vbUnchecked);
  EXPECT_TRUE(form.Check1.Enabled());
  EXPECT_TRUE(form.Command27.Enabled());  // it has albums
  EXPECT_EQ(form.SSTab1.Tab(), 1);
}

TEST_F(OpenTest, AProjectWithoutAlbumsCannotBeCompiled) {
  open("Alpha");
  open("Beta");
  EXPECT_FALSE(form.Command27.Enabled());
  EXPECT_EQ(form.List1.ListCount(), 0);
  EXPECT_EQ(form.Frame5.BackColor(), controls::RGB(0, 0, 0));
}

TEST_F(OpenTest, AProjectThatIsGoneIsReportedAndTheOpenOneStays) {
  fs::remove(alpha / "dat.qd");
  onTab(0);
  ASSERT_TRUE(form.Option2.click());
  ASSERT_TRUE(form.listProjects.select(0));
  fakes.dialogs->expectMsgBox("Project no longer exist.", platform::vbOK).withTitle("Quendrel");
  ASSERT_TRUE(form.cmdOpenExistProj.click());
  EXPECT_EQ(form.sDirectory.toStdString(), projectAt("Beta").string());
  EXPECT_EQ(form.lblProjectName.Caption(), "Beta");
}

// Enter on the chosen project's line leaves it to Open; Open, reached with
// Tab, opens it on Enter.
TEST_F(OpenTest, EnterOpensTheChosenProjectFromTheOpenButtonNotFromTheList) {
  QApplication::processEvents();  // the window comes up active
  controls::WindowInput user(form);
  onTab(0);
  ASSERT_TRUE(user.clickOn(form.Option2));
  ASSERT_TRUE(user.clickAt(user.entryOf(form.listProjects, 0)));
  ASSERT_EQ(form.listProjects.List(0), "Alpha");
  ASSERT_TRUE(user.key(controls::vbKeyReturn));
  EXPECT_EQ(form.lblProjectName.Caption(), "Beta");

  tabTo(form, form.cmdOpenExistProj);
  ASSERT_TRUE(user.key(controls::vbKeyReturn));
  EXPECT_EQ(form.lblProjectName.Caption(), "Alpha");
  EXPECT_EQ(form.sDirectory.toStdString(), alpha.string());
  EXPECT_EQ(form.SSTab1.Tab(), 1);
}

TEST_F(OpenTest, AMissingOrShortAutorunFileGivesTheDefaultLabel) {
  const struct {
    const char* content;  // nullptr: no file
    const char* label;
  } cases[] = {
      {nullptr, "Alpha"},
      {"[autorun]\r\nicon = QD.exe,0\r\n", "Alpha"},
      {"[autorun]\r\nicon = QD.exe,0\r\nlabel = \r\nopen = Alpha.exe\r\n", ""},
      {"[autorun]\r\nicon = QD.exe,0\r\nlab\r\n", ""},
  };
  const std::size_t boxes = fakes.dialogs->shown().size();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content ? c.content : "no file");
    fs::remove(alpha / "AUTORUN.INF");
    if (c.content) writeBytes(alpha / "AUTORUN.INF", c.content);
    open("Alpha");
    EXPECT_EQ(form.lblCdLabl.Caption(), c.label);
    EXPECT_EQ(form.lblProjectName.Caption(), "Alpha");
    open("Beta");
  }
  EXPECT_EQ(fakes.dialogs->shown().size(), boxes);  // no error of any kind
}

TEST_F(OpenTest, TheRightPasswordOpensTheProjectAndAWrongOneNothing) {
  store::ProjectData data = dataOf(alpha);
  data.passwordText = "Secret";
  store::writeProjectData(alpha / "dat.qd", data);

  open("Alpha", "Secret");
  EXPECT_TRUE(form.isPasswordCorrect);
  EXPECT_EQ(form.ProjectPassword, "Secret");
  EXPECT_EQ(form.Check1.Value(), controls::vbChecked);
  EXPECT_EQ(form.lblProjectTitle.Caption(), "The Title");

  // A project without a password writes none, whatever was typed before.
  open("Beta");
  EXPECT_TRUE(form.ProjectPassword.isEmpty());
  EXPECT_EQ(form.Check1.Value(), controls::vbUnchecked);
  fakes.dialogs->expectInputBox("Set Title", "Beta Title");
  onTab(2);
  ASSERT_TRUE(form.lblProjectTitle.click());
  EXPECT_EQ(dataOf(projectAt("Beta")).passwordText, "");

  for (const QString& wrong : {QStringLiteral("secret"), QStringLiteral("Secret "), QString()}) {
    SCOPED_TRACE(wrong.toStdString());
    open("Beta");
    onTab(0);
    ASSERT_TRUE(form.listProjects.select(0));
    fakes.dialogs->expectInputBox("Please type in the password:", wrong).withDefaultText("");
    fakes.dialogs->expectMsgBox("This is NOT the correct password.", platform::vbOK).withTitle("Quendrel");
    ASSERT_TRUE(form.cmdOpenExistProj.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_FALSE(form.isPasswordCorrect);
    EXPECT_EQ(form.Check1.Value(), controls::vbUnchecked);
    EXPECT_TRUE(form.lblProjectSubTitle.Caption().isEmpty());
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.SSTab1.Tab(), 0);
    EXPECT_TRUE(namesIn(mirrorOf("Alpha")).empty());  // nothing unpacked is left there
  }
}

TEST_F(OpenTest, ARefusedProjectTakesNoEditAtAll) {
  store::ProjectData data = dataOf(alpha);
  data.passwordText = "Secret";
  store::writeProjectData(alpha / "dat.qd", data);
  const std::string before = bytesOf(alpha / "dat.qd");
  const std::string autorunBefore = bytesOf(alpha / "AUTORUN.INF");
  open("Alpha", "wrong", true);
  ASSERT_FALSE(form.isPasswordCorrect);
  EXPECT_EQ(form.sDirectory.toStdString(), alpha.string());

  // Every editing command of this window says so and writes nothing.
  onTab(2);
  const auto refuses = [&](controls::Element& control, const char* what) {
    SCOPED_TRACE(what);
    fakes.dialogs->expectMsgBox("First create or open a project.", platform::vbOK).withStyle(platform::vbOKOnly);
    control.click();
    EXPECT_TRUE(fakes.dialogs->allShown());
  };
  // The commands keep the states Beta gave them: they are reached, and refuse.
  refuses(form.lblProjectTitle, "title");
  refuses(form.lblProjectSubTitle, "subtitle");
  refuses(form.Label13, "information text");
  refuses(form.lblCdLabl, "CD label");
  refuses(form.Check1, "password");
  EXPECT_EQ(form.Check1.Value(), controls::vbUnchecked);
  form.Label19_MouseMove(1, 0, 600, 0);
  EXPECT_EQ(form.redRGB, 0);
  fakes.dialogs->expectMsgBox("First create or open a project.", platform::vbOK);
  form.Label19_MouseUp(1, 0, 600, 0);
  EXPECT_TRUE(fakes.dialogs->allShown());

  // Tab 1: no album can be added, and the song list shows nothing of the
  // project open before, so no song or lyrics command reaches a file.
  onTab(1);
  refuses(form.Command2, "add album");
  EXPECT_EQ(form.File4.ListCount(), 0);
  EXPECT_FALSE(form.Command15.Enabled());

  EXPECT_EQ(bytesOf(alpha / "dat.qd"), before);
  EXPECT_EQ(bytesOf(alpha / "AUTORUN.INF"), autorunBefore);
}

TEST_F(OpenTest, AProjectWithoutAMirrorGetsOneUnlessItsPasswordIsRefused) {
  fs::remove_all(mirrorOf("Alpha"));
  open("Alpha");
  EXPECT_TRUE(fs::is_directory(mirrorOf("Alpha")));
  EXPECT_TRUE(namesIn(mirrorOf("Alpha")).empty());
  EXPECT_FALSE(form.Image2.Picture().isEmpty());

  open("Beta");
  fs::remove_all(mirrorOf("Alpha"));
  store::ProjectData data = dataOf(alpha);
  data.passwordText = "Secret";
  store::writeProjectData(alpha / "dat.qd", data);
  open("Alpha", "no", true);
  EXPECT_FALSE(fs::exists(mirrorOf("Alpha")));
}

TEST_F(OpenTest, AnUnreadableDataFileOpensNothing) {
  fs::remove(alpha / "dat.qd");
  fs::create_directory(alpha / "dat.qd");  // there, but no file to read
  fakes.dialogs->expectMsgBox("Path/File access error", platform::vbOK);
  open("Alpha");
  EXPECT_FALSE(form.isPasswordCorrect);
  fakes.dialogs->expectMsgBox("First create or open a project.", platform::vbOK);
  EXPECT_FALSE(form.projectEditable());
}

TEST_F(OpenTest, AListEntryWhoseNameLeadsOutOfHandleOpensNothing) {
  // A damaged qdd.dat: the folders are real projects, the names are not
  // plain file names.
  writePicture(fakes.folder.path() / "program.jpg");
  writePicture(fakes.folder.handle() / "handle.jpg");
  for (const char* name : {"..", ".", "x/../Alpha", "../Handle/Alpha"}) {
    form.listProjects.AddItem(name);
    form.listProjectsPath.AddItem(QString::fromStdString(alpha.string()));
  }
  onTab(0);
  ASSERT_TRUE(form.Option2.click());
  const QString betaMirror = form.workDirectory;
  for (int index = 2; index < form.listProjects.ListCount(); ++index) {
    SCOPED_TRACE(form.listProjects.List(index).toStdString());
    ASSERT_TRUE(form.listProjects.select(index));
    fakes.dialogs->expectMsgBox("Illegal name.", platform::vbOK).withTitle("Error");
    ASSERT_TRUE(form.cmdOpenExistProj.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(form.sDirectory.toStdString(), projectAt("Beta").string());
    EXPECT_EQ(form.workDirectory, betaMirror);
    EXPECT_EQ(form.lblProjectName.Caption(), "Beta");
    EXPECT_EQ(form.SSTab1.Tab(), 0);
  }
  EXPECT_TRUE(fs::exists(fakes.folder.path() / "program.jpg"));
  EXPECT_TRUE(fs::exists(fakes.folder.handle() / "handle.jpg"));
}

TEST_F(OpenTest, ADamagedPictureNameNeverReachesOutsideTheMirror) {
  const fs::path outside = fs::path(place.path().toStdString()) / "outside.bmp";
  writePicture(outside);
  store::ProjectData data = dataOf(alpha);
  data.titlePicFile = fs::relative(outside, mirrorOf("Alpha")).string();
  data.bottomPicFile = "../Alpha/../../../outside.bmp";
  store::writeProjectData(alpha / "dat.qd", data);
  open("Alpha");
  EXPECT_TRUE(fs::exists(outside));
  EXPECT_TRUE(form.Image2.Picture().isEmpty());
  EXPECT_EQ(form.picNames[0].toStdString(), data.titlePicFile);
}

// ---- Delete
// ----------------------------------------------------------------------

class DeleteTest : public ProjectsTest {
 protected:
  void SetUp() override {
    ProjectsTest::SetUp();
    create("Alpha");
    create("Beta");
    onTab(0);
    ASSERT_TRUE(form.Option2.click());
  }
  // Selects `name` and presses Delete, answering the question with `answer`;
  // `thenSays` is the box that follows, if any.
  void remove(int index, platform::MsgBoxResult answer, const char* thenSays = nullptr) {
    ASSERT_TRUE(form.listProjects.select(index));
    fakes.dialogs->expectMsgBox("Detele this project?", answer).withStyle(platform::vbYesNo).withTitle("Quendrel");
    if (thenSays) fakes.dialogs->expectMsgBox(thenSays, platform::vbOK);
    ASSERT_TRUE(form.Command1.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
  }
};

TEST_F(DeleteTest, TheOpenProjectCannotBeDeleted) {
  ASSERT_TRUE(form.listProjects.select(1));
  fakes.dialogs->expectMsgBox("This project is currently active and can not be deleted.", platform::vbOK);
  ASSERT_TRUE(form.Command1.click());
  EXPECT_TRUE(fs::exists(projectAt("Beta") / "dat.qd"));
  EXPECT_EQ(form.listProjects.ListCount(), 2);
}

TEST_F(DeleteTest, NoKeepsTheProject) {
  remove(0, platform::vbNo);
  EXPECT_TRUE(fs::exists(projectAt("Alpha") / "Alpha.exe"));
  EXPECT_EQ(listedProjects().size(), 2u);
}

TEST_F(DeleteTest, YesRemovesBothFoldersAndTheEntry) {
  fs::create_directory(projectAt("Alpha") / "01 - Album");
  std::ofstream(projectAt("Alpha") / "01 - Album" / "01 - Song.mp3") << "mp3";
  fs::create_directory(mirrorOf("Alpha") / "01 - Album");
  std::ofstream(mirrorOf("Alpha") / "01 - Album" / "01 - Song.dat") << "lyrics";
  remove(0, platform::vbYes);
  EXPECT_FALSE(fs::exists(projectAt("Alpha")));
  EXPECT_FALSE(fs::exists(mirrorOf("Alpha")));
  EXPECT_EQ(listedProjects(), (std::vector<std::pair<std::string, std::string>>{{"Beta", projectAt("Beta").string()}}));
  ASSERT_EQ(form.listProjects.ListCount(), 1);
  EXPECT_EQ(form.listProjectsPath.List(0).toStdString(), projectAt("Beta").string());
  EXPECT_TRUE(form.cmdOpenExistProj.Enabled());
  EXPECT_TRUE(form.Command1.Enabled());
}

TEST_F(DeleteTest, DeletingTheLastListedProjectDisablesOpenAndDelete) {
  // Neither listed project open: a failed create leaves none.
  fs::remove(fakes.folder.path() / "rodud.qd");
  ASSERT_TRUE(form.Option1.click());
  form.txtProjectName.setText("Broken");
  fakes.dialogs->expectMsgBox("File not found", platform::vbOK);
  ASSERT_TRUE(form.cmdBuildNewProj.click());
  ASSERT_TRUE(form.Option2.click());
  ASSERT_TRUE(form.listProjects.select(0));  // Open and Delete follow the selection
  remove(1, platform::vbYes);
  remove(0, platform::vbYes);
  EXPECT_EQ(form.listProjects.ListCount(), 0);
  EXPECT_TRUE(listedProjects().empty());
  EXPECT_EQ(bytesOf(fakes.folder.path() / "qdd.dat"), std::string("\0\0", 2));
  EXPECT_FALSE(form.cmdOpenExistProj.Enabled());
  EXPECT_FALSE(form.Command1.Enabled());
}

TEST_F(DeleteTest, ASubSubfolderStaysBehindButTheEntryStillLeavesTheList) {
  fs::create_directories(projectAt("Alpha") / "01 - Album" / "deeper");
  std::ofstream(projectAt("Alpha") / "01 - Album" / "deeper" / "kept.txt") << "x";
  remove(0, platform::vbYes);
  EXPECT_TRUE(fs::exists(projectAt("Alpha") / "01 - Album" / "deeper" / "kept.txt"));
  EXPECT_FALSE(fs::exists(projectAt("Alpha") / "Alpha.exe"));
  EXPECT_FALSE(fs::exists(mirrorOf("Alpha")));
  EXPECT_EQ(listedProjects().size(), 1u);
}

TEST_F(DeleteTest, AMirrorThatCannotGoKeepsTheEntry) {
  fs::create_directories(mirrorOf("Alpha") / "01 - Album" / "deeper");
  remove(0, platform::vbYes,
         "The project's folder in Handle holds folders of its own and cannot be removed; nothing was deleted.");
  // Nothing went, the project folder neither.
  EXPECT_TRUE(fs::exists(projectAt("Alpha") / "Alpha.exe"));
  EXPECT_TRUE(fs::exists(mirrorOf("Alpha") / "01 - Album" / "deeper"));
  EXPECT_EQ(listedProjects().size(), 2u);
  EXPECT_EQ(form.listProjects.ListCount(), 2);
}

TEST_F(DeleteTest, AnEntryWhoseFoldersAreGoneCanStillBeTakenOffTheList) {
  fs::remove_all(projectAt("Alpha"));
  fs::remove_all(mirrorOf("Alpha"));
  remove(0, platform::vbYes);
  EXPECT_EQ(listedProjects().size(), 1u);
}

TEST_F(DeleteTest, ALinkedFolderGoesWithoutWhatItPointsAt) {
  const fs::path elsewhere = fs::path(place.path().toStdString()) / "precious";
  fs::create_directory(elsewhere);
  std::ofstream(elsewhere / "keep.txt") << "x";
  fs::create_directory_symlink(elsewhere, projectAt("Alpha") / "link");
  remove(0, platform::vbYes);
  EXPECT_TRUE(fs::exists(elsewhere / "keep.txt"));
  EXPECT_FALSE(fs::exists(projectAt("Alpha")));
}

TEST_F(DeleteTest, AListEntryThatNamesNoProjectFolderDeletesNothingThere) {
  const fs::path folder = fs::path(place.path().toStdString()) / "Documents";
  fs::create_directory(folder);
  std::ofstream(folder / "letter.txt") << "x";
  store::changeProjectList(fakes.folder.path() / "qdd.dat", [&](std::vector<store::ProjectListEntry>& entries) {
    entries.push_back({"Documents", folder.string()});
    return true;
  });
  form.loadProjectList();
  remove(2, platform::vbYes);
  EXPECT_TRUE(fs::exists(folder / "letter.txt"));
  EXPECT_EQ(form.listProjects.ListCount(),
            2);  // no mirror to remove: off the list
}

// ---- Password
// --------------------------------------------------------------------

TEST_F(ProjectsTest, ThePasswordIsAskedUntilItIsLegalAndWrittenAsTyped) {
  create("Alpha");
  onTab(2);
  fakes.dialogs->expectInputBox("Type in the password", "a/b").withDefaultText("");
  fakes.dialogs->expectInputBox("Type in the password", "a\"b");
  fakes.dialogs->expectInputBox("Type in the password", " Se cret ");
  ASSERT_TRUE(form.Check1.click());
  EXPECT_TRUE(fakes.dialogs->allShown());
  EXPECT_EQ(form.ProjectPassword, " Se cret ");
  EXPECT_EQ(dataOf(projectAt("Alpha")).passwordText, " Se cret ");
  EXPECT_EQ(form.Check1.Value(), controls::vbChecked);

  ASSERT_TRUE(form.Check1.click());  // off again
  EXPECT_TRUE(form.ProjectPassword.isEmpty());
  EXPECT_EQ(dataOf(projectAt("Alpha")).passwordText, "");
}

TEST_F(ProjectsTest, ABlankOrCancelledPasswordClearsTheBox) {
  create("Alpha");
  onTab(2);
  for (const char* answer : {"   ", ""}) {
    SCOPED_TRACE(answer);
    fakes.dialogs->expectInputBox("Type in the password", answer);
    fakes.dialogs->expectMsgBox("No password was set.", platform::vbOK).withStyle(platform::vbOKOnly);
    ASSERT_TRUE(form.Check1.click());
    EXPECT_TRUE(fakes.dialogs->allShown());
    EXPECT_EQ(form.Check1.Value(), controls::vbUnchecked);
    EXPECT_TRUE(form.ProjectPassword.isEmpty());
    EXPECT_EQ(dataOf(projectAt("Alpha")).passwordText, "");
  }
}

TEST_F(ProjectsTest, APasswordTheFileCannotHoldIsReportedAndNotKept) {
  create("Alpha");
  const std::string before = bytesOf(projectAt("Alpha") / "dat.qd");
  onTab(2);
  fakes.dialogs->expectInputBox("Type in the password", QString::fromUtf8("\u20ac\u03a9"));
  fakes.dialogs->expectMsgBox(omegaRefusal("project password"), platform::vbOK);
  ASSERT_TRUE(form.Check1.click());
  EXPECT_TRUE(form.ProjectPassword.isEmpty());
  EXPECT_EQ(form.Check1.Value(), controls::vbUnchecked);
  EXPECT_EQ(bytesOf(projectAt("Alpha") / "dat.qd"), before);
}

TEST_F(ProjectsTest, APasswordSetIsAskedForAtTheNextOpening) {
  create("Alpha");
  onTab(2);
  fakes.dialogs->expectInputBox("Type in the password", "Secret");
  ASSERT_TRUE(form.Check1.click());
  create("Beta");
  open("Alpha", "Secret");
  EXPECT_TRUE(form.isPasswordCorrect);
  EXPECT_EQ(form.Check1.Value(), controls::vbChecked);
}

// ---- Picker modes and help
// ---------------------------------------------------------

TEST_F(ProjectsTest, TheTwoModesShowTheirOwnControls) {
  create("Alpha");
  onTab(0);
  ASSERT_TRUE(form.Option2.click());
  for (controls::Control* c : std::initializer_list<controls::Control*>{&form.Dir1, &form.Drive1, &form.txtProjectName,
                                                                        &form.cmdBuildNewProj, &form.Label16})
    EXPECT_FALSE(c->Visible()) << c->Name().toStdString();
  EXPECT_TRUE(form.listProjects.Visible());
  EXPECT_TRUE(form.listProjects.Enabled());
  EXPECT_TRUE(form.cmdOpenExistProj.Visible());
  EXPECT_FALSE(form.cmdOpenExistProj.Enabled());  // nothing chosen yet
  EXPECT_FALSE(form.Command1.Enabled());
  EXPECT_FALSE(form.cmdBuildNewProj.Enabled());
  ASSERT_TRUE(form.listProjects.select(0));
  EXPECT_TRUE(form.cmdOpenExistProj.Enabled());
  EXPECT_TRUE(form.Command1.Enabled());

  ASSERT_TRUE(form.Option1.click());
  for (controls::Control* c : std::initializer_list<controls::Control*>{&form.Dir1, &form.Drive1, &form.txtProjectName,
                                                                        &form.cmdBuildNewProj, &form.Label16})
    EXPECT_TRUE(c->Visible() && c->Enabled()) << c->Name().toStdString();
  EXPECT_FALSE(form.listProjects.Visible() || form.listProjects.Enabled());
  EXPECT_FALSE(form.cmdOpenExistProj.Visible() || form.cmdOpenExistProj.Enabled());
  EXPECT_FALSE(form.Command1.Visible() || form.Command1.Enabled());
}

TEST_F(ProjectsTest, BackInOpenModeTheHighlightedProjectCanBeOpenedAndDeleted) {
  create("Alpha");
  create("Beta");
  open("Alpha");
  onTab(0);
  ASSERT_TRUE(form.Option1.click());
  ASSERT_TRUE(form.Option2.click());
  ASSERT_EQ(form.listProjects.ListIndex(), 0);
  EXPECT_TRUE(form.cmdOpenExistProj.Enabled());
  EXPECT_TRUE(form.Command1.Enabled());
  // The highlighted entry takes its commands at once.
  ASSERT_TRUE(form.listProjects.select(1));
  ASSERT_TRUE(form.Option1.click());
  ASSERT_TRUE(form.Option2.click());
  ASSERT_TRUE(form.cmdOpenExistProj.click());
  EXPECT_EQ(form.lblProjectName.Caption(), "Beta");
}

TEST_F(ProjectsTest, ADoubleClickOnAListedProjectOpensIt) {
  create("Alpha");
  create("Beta");
  onTab(0);
  ASSERT_TRUE(form.Option2.click());
  ASSERT_TRUE(form.listProjects.dblClickItem(0));
  EXPECT_EQ(form.lblProjectName.Caption(), "Alpha");
}

TEST_F(ProjectsTest, HelpModeShowsEachHelpTextAndActsOnlyForTheModes) {
  create("Alpha");
  onTab(0);
  ASSERT_TRUE(form.Option2.click());
  ASSERT_TRUE(form.listProjects.select(0));
  form.infoTeller = true;
  const auto help = [&](const QString& text, const std::function<void()>& act) {
    SCOPED_TRACE(text.toStdString());
    expectMessage(fakes.modals, text);
    act();
    EXPECT_EQ(fakes.modals.pending(), 0);
  };
  help("This button opens a saved project.", [&] { form.cmdOpenExistProj.click(); });
  help("This buttons alows you to delete a saved project.", [&] { form.Command1.click(); });
  help("The list of saved projects.", [&] { form.listProjects.select(0); });
  help("Choose this option inorder to enable the creation of a new project.", [&] { form.Option1.click(); });
  EXPECT_TRUE(form.txtProjectName.Visible());  // the mode changed all the same
  help("The location where the new project will be created.", [&] { form.Dir1.mouseDown(); });
  help(
      "Inorder to build a new project, type its name here after you chose its "
      "location.",
      [&] { form.txtProjectName.mouseDown(); });
  form.txtProjectName.setText("Gamma");
  help(
      "Press this button inorder to build a new project. you should chose its "
      "location and name first.",
      [&] { form.cmdBuildNewProj.click(); });
  help("Choose this option inorder to enable loading a saved project.", [&] { form.Option2.click(); });
  EXPECT_TRUE(form.listProjects.Visible());
  onTab(2);
  help(
      "If the checkbox is marked, you will be able to add a personal secret "
      "password to your project. this way "
      "noone will be able to edit it but you.",
      [&] { form.Check1.click(); });
  EXPECT_EQ(form.Check1.Value(),
            controls::vbUnchecked);  // the box shows what the project holds
  EXPECT_FALSE(fs::exists(projectAt("Gamma")));
  EXPECT_EQ(listedProjects().size(), 1u);
  EXPECT_TRUE(fakes.dialogs->shown().size() == 1);  // only "Created"
}

}  // namespace
}  // namespace authoring_test
