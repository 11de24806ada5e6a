// The project's title, bottom and intro pictures: chosen through the
// picker, packed into dop.qd, named in dat.qd, cleared again.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "dialog.h"
#include "dialogs/real_boxes.h"
#include "open_project_fixture.h"
#include "pack_file.h"
#include "picture_files.h"
#include "project_data.h"
#include "runtime_rules.h"
#include "system/event_pump.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

// Pending window events run where the program lets them run, for one scope.
struct ProgramsEventPump {
  ProgramsEventPump() { platform::installEventPump(); }
  ~ProgramsEventPump() { runtime::setPendingEventsHandler({}); }
};

class ProjectPictures : public OpenProjectTest {
 protected:
  void SetUp() override {
    OpenProjectTest::SetUp();
    openProject("Alpha");
  }
  fs::path pack() const { return project / "dop.qd"; }
  store::ProjectData data() const { return store::readProjectData(project / "dat.qd"); }

  // Chooses `file` of the pictures folder through `box`, made first when it
  // is not there.
  void choose(controls::Image& box, const std::string& file) {
    if (!fs::exists(pictures / file)) writePicture(pictures / file);
    pickerAnswers(pictures, file);
    ASSERT_TRUE(box.click());
    EXPECT_EQ(fakes.modals.pending(), 0);
  }
  void expectIdle() {
    EXPECT_TRUE(form.Enabled());
    EXPECT_FALSE(form.messageWindow().Visible());
    // Between commands the pictures exist only inside dop.qd.
    for (const std::string& name : fileNames(mirror)) ADD_FAILURE() << name << " left in the mirror";
  }
};

TEST_F(ProjectPictures, ATitleAloneIsTheOneRecordOfThree) {
  choose(form.Image2, "a.JPG");

  const std::vector<PackedMember> members = packedMembers(pack());
  ASSERT_EQ(members.size(), 1u);
  EXPECT_EQ(members[0].memberCount, 3);
  EXPECT_EQ(members[0].memberNumber, 1);
  EXPECT_EQ(members[0].name, "__TitlePicture__.JPG");
  EXPECT_EQ(members[0].data, fileBytes(pictures / "a.JPG"));
  EXPECT_EQ(form.Text_imgTop_, "__TitlePicture__.JPG");
  EXPECT_EQ(data().titlePicFile, "__TitlePicture__.JPG");
  EXPECT_EQ(form.picNames, (std::vector<QString>{"__TitlePicture__.JPG", "", ""}));
  EXPECT_FALSE(form.Image2.Picture().isEmpty());
  expectIdle();
}

TEST_F(ProjectPictures, TheRecordsComeInRoleOrderAndEachRoleKeepsItsSlot) {
  choose(form.Image4, "intro.bmp");
  choose(form.Image3, "bottom.gif");

  const std::vector<PackedMember> members = packedMembers(pack());
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].name, "__SubTitlePicture__.gif");
  EXPECT_EQ(members[0].memberNumber, 1);
  EXPECT_EQ(members[1].name, "__Intro__.bmp");
  EXPECT_EQ(members[1].memberNumber, 2);
  EXPECT_EQ(members[1].data, fileBytes(pictures / "intro.bmp"));
  EXPECT_EQ(form.picNames, (std::vector<QString>{"", "__SubTitlePicture__.gif", "__Intro__.bmp"}));
  const store::ProjectData saved = data();
  EXPECT_EQ(saved.initPicFile, "__Intro__.bmp");
  EXPECT_EQ(saved.bottomPicFile, "__SubTitlePicture__.gif");
  EXPECT_EQ(saved.titlePicFile, "");
  expectIdle();
}

TEST_F(ProjectPictures, ChoosingAgainReplacesTheRoleAndLeavesNoOldBytes) {
  // Large enough for the long form of the length prefix.
  writePicture(pictures / "big.bmp", 200, 200);
  choose(form.Image2, "big.bmp");
  choose(form.Image4, "i.jpg");
  ASSERT_GT(fs::file_size(pack()), 120000u);

  choose(form.Image2, "c.jpg");

  const std::vector<PackedMember> members = packedMembers(pack());
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].name, "__TitlePicture__.jpg");
  EXPECT_EQ(members[0].data, fileBytes(pictures / "c.jpg"));
  EXPECT_EQ(members[1].name, "__Intro__.jpg");
  std::uintmax_t size = 4;
  for (const PackedMember& m : members) size += 4 + 4 + 2 + 2 + m.name.size() + 4 + 2 + m.data.size();
  EXPECT_EQ(fs::file_size(pack()), size);
  EXPECT_EQ(data().titlePicFile, "__TitlePicture__.jpg");
  expectIdle();
}

TEST_F(ProjectPictures, ClearingDownToAnEmptyPack) {
  choose(form.Image2, "t.gif");
  choose(form.Image4, "i.jpg");

  ASSERT_TRUE(form.Command10.click());
  std::vector<PackedMember> members = packedMembers(pack());
  ASSERT_EQ(members.size(), 1u);
  EXPECT_EQ(members[0].name, "__Intro__.jpg");
  EXPECT_EQ(members[0].memberNumber, 1);
  EXPECT_TRUE(form.Image2.Picture().isEmpty());
  EXPECT_FALSE(form.Image4.Picture().isEmpty());
  EXPECT_EQ(data().titlePicFile, "");
  EXPECT_EQ(data().initPicFile, "__Intro__.jpg");
  expectIdle();

  ASSERT_TRUE(form.Command16.click());
  EXPECT_EQ(fileText(pack()), std::string("\x00\x10\x00\x00", 4));
  EXPECT_TRUE(form.Image4.Picture().isEmpty());
  EXPECT_EQ(data().initPicFile, "");
  EXPECT_EQ(form.picNames, std::vector<QString>(3));

  // Nothing left to clear: still no error, still the empty pack.
  ASSERT_TRUE(form.Command12.click());
  EXPECT_EQ(fs::file_size(pack()), 4u);
  expectIdle();
}

TEST_F(ProjectPictures, ClearingWithoutAPackForgetsTheName) {
  form.Text_ImgBottom = "__SubTitlePicture__.gif";
  ASSERT_TRUE(form.Command12.click());
  EXPECT_FALSE(fs::exists(pack()));
  EXPECT_EQ(form.Text_ImgBottom, "");
  EXPECT_EQ(data().bottomPicFile, "");
  expectIdle();
}

TEST_F(ProjectPictures, CancelChangesNothing) {
  choose(form.Image2, "t.gif");
  const std::vector<std::uint8_t> before = fileBytes(pack());
  const store::ProjectData saved = data();
  const controls::Picture shown = form.Image2.Picture();

  pickerAnswers(pictures, "");
  ASSERT_TRUE(form.Image2.click());

  EXPECT_EQ(fileBytes(pack()), before);
  EXPECT_EQ(data(), saved);
  EXPECT_TRUE(form.Image2.Picture() == shown);
  EXPECT_TRUE(form.Image4.Picture().isEmpty());
  expectIdle();
}

TEST_F(ProjectPictures, AFailedChoiceKeepsThePicturesAlreadyPacked) {
  choose(form.Image2, "t.gif");
  choose(form.Image4, "i.jpg");
  const std::vector<std::uint8_t> before = fileBytes(pack());
  const store::ProjectData saved = data();
  const std::vector<QString> names = form.picNames;

  struct Case {
    const char* what;
    const char* message;
    std::function<void()> spoil;  // run while the picker shows the file
  };
  writeFile(pictures / "broken.jpg", "no picture in here");
  writePicture(pictures / "gone.bmp");
  const Case cases[] = {
      {"not a picture", "Invalid picture", [] {}},
      {"gone before it was copied", "File not found", [this] { fs::remove(pictures / "gone.bmp"); }},
  };
  const char* const files[] = {"broken.jpg", "gone.bmp"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(cases[i].what);
    const std::string file = files[i];
    const std::function<void()> spoil = cases[i].spoil;
    fakes.modals.expect<Dialog>([this, file, spoil](Dialog& picker) {
      picker.Dir1.setPath(QString::fromStdString(pictures.string()));
      picker.File1.setFileName(QString::fromStdString(file));
      spoil();
      EXPECT_TRUE(picker.OKButton.click());
    });
    fakes.dialogs->expectMsgBox(cases[i].message, platform::vbOK);
    if (i == 0) fakes.dialogs->expectMsgBox("Invalid picture", platform::vbOK);  // the picker's own preview

    ASSERT_TRUE(form.Image3.click());

    EXPECT_EQ(fileBytes(pack()), before);
    EXPECT_EQ(data(), saved);
    EXPECT_EQ(form.picNames, names);
    EXPECT_EQ(form.Text_ImgBottom, "");
    EXPECT_TRUE(form.Image3.Picture().isEmpty());
    expectIdle();
  }
}

TEST_F(ProjectPictures, TheBoxesOfAFileThatIsNoPictureCloseOnEnter) {
  // The real boxes, each closed by the key a user presses on it: the picker's
  // preview, over the picker, then the choice's own, over the main window once
  // the picker has gone. The window system's events run between the steps, as
  // in the program.
  writeFile(pictures / "broken.jpg", "no picture in here");
  const ProgramsEventPump pump;
  platform::RealBoxes boxes;
  boxes.pressOnNextBox(Qt::Key_Return);
  boxes.pressOnNextBox(Qt::Key_Return);
  fakes.modals.expect<Dialog>([&](Dialog& picker) {
    // The picker's own event loop runs while the user looks at it.
    QApplication::processEvents();
    picker.Dir1.setPath(QString::fromStdString(pictures.string()));
    EXPECT_TRUE(picker.File1.select(0));
    EXPECT_TRUE(picker.OKButton.click());
  });

  ASSERT_TRUE(form.Image2.click());

  ASSERT_EQ(boxes.shown().size(), 2u);
  for (const platform::RealBoxes::Box& box : boxes.shown()) {
    SCOPED_TRACE(box.text.toStdString());
    EXPECT_EQ(box.text, "Invalid picture");
    EXPECT_EQ(box.title, "Quendrel");
    EXPECT_TRUE(box.closedByKey);
    EXPECT_FALSE(box.childWidget);
  }
  EXPECT_EQ(boxes.shown()[0].ownerTitle, "Open file");
  EXPECT_EQ(boxes.shown()[1].owner, form.widget()->windowHandle());
  EXPECT_TRUE(fileNames(project).size() == 2 && !fs::exists(pack()));
  expectIdle();
}

TEST_F(ProjectPictures, ANewProjectStartsWithoutTheSlotsOfTheLastOne) {
  choose(form.Image2, "t.gif");
  choose(form.Image3, "b.gif");
  openProject("Beta");  // the slots still hold Alpha's names
  choose(form.Image4, "i.jpg");
  const std::vector<PackedMember> members = packedMembers(pack());
  ASSERT_EQ(members.size(), 1u);
  EXPECT_EQ(members[0].name, "__Intro__.jpg");
  EXPECT_EQ(form.picNames, (std::vector<QString>{"", "", "__Intro__.jpg"}));
}

TEST_F(ProjectPictures, InHelpModeEachCommandOnlyExplainsItself) {
  form.infoTeller = true;
  const std::vector<HelpText> helps = {
      {&form.Image2, "The picture that appears on top of the screen before the albums appear."},
      {&form.Image3, "The picture that appears on the bottom of the screen before the albums appear."},
      {&form.Image4,
       "This picture is the initializing screen of Quendrel instance. if you clear it, no initializing screen will "
       "appear."},
      {&form.Command10, "Clears the above picture that appears before ethe albums appear."},
      {&form.Command12, "Clears the bottom picture that appears before ethe albums appear."},
      {&form.Command16, "This button clears the initializing screen's picture of Quendrel's instance."},
  };
  ASSERT_NO_FATAL_FAILURE(clickEachForHelp(fakes.modals, helps));
  EXPECT_FALSE(fs::exists(pack()));
  EXPECT_EQ(data(), store::ProjectData{});
}

// Every command of the three sections refuses to touch a project that is
// not open for editing; the picker never opens.
TEST_F(ProjectPictures, CommandsRefuseWithoutAnEditableProject) {
  struct Refusal {
    controls::Control* control;
    const char* message;
    const char* title;  // empty: the program's title
  };
  const Refusal refusals[] = {
      {&form.Image2, "First create a new project", "Quendrel."},
      {&form.Image3, "First create a new project", "Quendrel."},
      {&form.Image4, "First create a new project", "Quendrel."},
      {&form.Command10, "First create or open a project.", ""},
      {&form.Command12, "First create or open a project.", ""},
      {&form.Command16, "First create or open a project.", ""},
      {&form.Picture1, "First create or open a project", "Quendrel."},
      {&form.Command9, "First create or open a project.", ""},
      {&form.Command27, "First create or open a project.", ""},
      {&form.cmdPreview, "First create or open a project.", ""},
  };
  const std::vector<std::uint8_t> autorun = fileBytes(project / "AUTORUN.INF");
  form.cmdPreview.setEnabled(true);
  for (const char* state : {"no project", "a refused password"}) {
    SCOPED_TRACE(state);
    if (std::string(state) == "no project") {
      form.sDirectory.clear();
    } else {
      form.sDirectory = QString::fromStdString(project.string());
      form.isPasswordCorrect = false;
    }
    for (const Refusal& r : refusals) {
      // With a project folder named, every command says the same.
      const bool named = !form.sDirectory.isEmpty();
      fakes.dialogs
          ->expectMsgBox(named ? "First create or open a project." : r.message, platform::vbOK)
          .withTitle(named || !*r.title ? "Quendrel" : r.title);
      ASSERT_TRUE(r.control->click()) << r.control->Name().toStdString();
    }
  }
  EXPECT_FALSE(fs::exists(pack()));
  EXPECT_FALSE(fs::exists(project / "cvrd.qd"));
  EXPECT_EQ(fileBytes(project / "AUTORUN.INF"), autorun);
  EXPECT_EQ(data(), store::ProjectData{});
  EXPECT_TRUE(fakes.launcher->started().empty());
}

// 36 megapixels, more than Qt decodes by default: shown in its box at the
// box's size, and again when the project opens.
TEST_F(ProjectPictures, ACameraPictureIsTakenAndShownAtTheSizeOfItsBox) {
  writeFile(pictures / "camera.jpg", controls::jpegFile({6000, 6000}, Qt::darkGreen).toStdString());
  choose(form.Image2, "camera.jpg");
  EXPECT_EQ(data().titlePicFile, "__TitlePicture__.jpg");
  EXPECT_EQ(form.Image2.Picture().size(), QSize(6000, 6000));
  EXPECT_TRUE(controls::keptAsShownIn(form.Image2.Picture(), form.Image2));
  expectIdle();

  form.Image2.setPicture(controls::Picture());
  store::unpackFiles(pack(), mirror);
  form.loadProjectData();
  EXPECT_EQ(form.Image2.Picture().size(), QSize(6000, 6000));
  EXPECT_TRUE(controls::keptAsShownIn(form.Image2.Picture(), form.Image2));
}

TEST_F(ProjectPictures, APictureTooBigToHoldIsOutOfMemoryAndChangesNothing) {
  choose(form.Image4, "i.jpg");
  const std::vector<std::uint8_t> before = fileBytes(pack());
  expectPictureTooBigToHold(fakes, pictures, "huge.gif");
  ASSERT_TRUE(form.Image2.click());
  EXPECT_EQ(fileBytes(pack()), before);
  EXPECT_EQ(data().titlePicFile, "");
  EXPECT_TRUE(form.Image2.Picture().isEmpty());
  expectIdle();
}

// The player holds the title, bottom and intro pictures whole, the intro
// once more for the window of its size, all together and before the covers,
// within one budget; a choice that the player would leave out, or that
// would make it leave out another picture, is refused when it is made,
// however small the picture's box here shows it.
TEST_F(ProjectPictures, AChoiceThePlayerWouldLeaveOutIsOutOfMemoryAndChangesNothing) {
  constexpr qint64 kMegabyte = qint64(1) << 20;
  const controls::ScopedPictureBudget budget(6 * kMegabyte);
  // Its decoder holds 3 MB however small the player keeps it.
  writeFile(addAlbum("01 - Rock") / "intro.jpg", controls::progressiveJpegFile({1000, 1000}, Qt::red).toStdString());
  struct Step {
    const char* what;
    controls::Image& box;
    QSize size;  // of a JPEG, four bytes a pixel
    bool taken;
  };
  const Step steps[] = {
      {"a title of 2 MB", form.Image2, {1000, 500}, true},
      {"a bottom picture of 4.8 MB beside it", form.Image3, {1100, 1100}, false},
      {"one of 1.7 MB, after which the cover would not fit", form.Image3, {700, 600}, false},
      {"one of 0.4 MB", form.Image3, {300, 300}, true},
      {"an intro of 2.6 MB, and as much for its window", form.Image4, {800, 800}, false},
      {"one of 0.3 MB, and its window", form.Image4, {300, 260}, true},
      {"a title of 5.8 MB", form.Image2, {1200, 1200}, false},
  };
  controls::WindowInput user(form);
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    const std::string file = std::to_string(s.size.width()) + "x" + std::to_string(s.size.height()) + ".jpg";
    writeFile(pictures / file, controls::jpegFile(s.size, Qt::darkGreen).toStdString());
    const std::vector<std::uint8_t> pack = fs::exists(this->pack()) ? fileBytes(this->pack()) : std::vector<std::uint8_t>{};
    const store::ProjectData saved = data();
    const controls::Picture shown = s.box.Picture();
    pickerAnswers(pictures, file);
    if (!s.taken) fakes.dialogs->expectMsgBox("Out of memory", platform::vbOK);
    ASSERT_TRUE(user.clickOn(s.box));
    EXPECT_EQ(fakes.modals.pending(), 0);
    EXPECT_EQ(fakes.dialogs->pending(), 0);
    if (s.taken) {
      EXPECT_EQ(s.box.Picture().size(), s.size);
    } else {
      EXPECT_EQ(fileBytes(this->pack()), pack);
      EXPECT_EQ(data(), saved);
      EXPECT_TRUE(s.box.Picture() == shown);
    }
    expectIdle();
  }
}

}  // namespace
}  // namespace authoring_test
