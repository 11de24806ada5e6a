// Names and texts of the collection that hold "&", as the user sees them on
// the browser and the player window: the title, the subtitle, the album's
// name, the title line, the song labels and the now-playing labels show the
// "&" as it stands, wherever it lies in the name.
#include <gtest/gtest.h>

#include <QLabel>

#include "held_drags.h"
#include "play_window_fixture.h"

namespace player::testing_support {
namespace {

// What the label shows on the screen.
QString shown(const controls::Label& label) { return qobject_cast<QLabel*>(label.widget())->text(); }

class NameLabels : public PlayWindowTest {
 protected:
  static constexpr const char* kTitle = "Brin & Halvey's &&Hits";
  static constexpr const char* kSubtitle = "&Live && Loud &";
  // Folder names on the disc; album 1's songs.
  static constexpr const char* kFirstAlbum = "01 - Café & Ünïcödé";
  static constexpr const char* kSecondAlbum = "02 - &Start && End &";
  static inline const std::vector<std::string> kSongs = {"01 - Rock & Roll && more.mp3", "02 - & Intro.mp3",
                                                         "03 - R&B.mp3", "04 - Outro &.mp3"};

  void startWithNames() {
    store::ProjectData data = projectData();
    data.projectTitle = kTitle;
    data.projectSubTitle = kSubtitle;
    data.infoText = "Made by Brin & Halvey.\r\n";
    writeProjectData(data);
    writePack("dop.qd", {});
    writePack("cvrd.qd", {});
    addFiles(kFirstAlbum, kSongs);
    addFiles(kSecondAlbum, {"01 - A&&B.mp3"});
    start();
    finishAnimation();
  }
  static QString u(const char* text) { return QString::fromUtf8(text); }
};

TEST_F(NameLabels, TheBrowserAndThePlayerWindowShowNamesAndTextsAsTheyStand) {
  startWithNames();
  Form1& b = browser();
  Form2& w = window();
  EXPECT_EQ(shown(b.Label1), u(kTitle));
  EXPECT_EQ(shown(b.Label2), u(kTitle));  // its shadow
  EXPECT_EQ(shown(b.Label3), u(kSubtitle));
  EXPECT_EQ(b.Text1.Text(), "Made by Brin & Halvey.\r\n");
  EXPECT_EQ(shown(b.Label8), u("Café & Ünïcödé"));

  controls::WindowInput browserUser(b);
  ASSERT_TRUE(browserUser.clickOn(b.Image1(1)));
  EXPECT_EQ(shown(b.Label8), u("&Start && End &"));

  ASSERT_TRUE(browserUser.dblClickOn(b.Image1(0)));
  ASSERT_TRUE(w.Visible());
  EXPECT_EQ(shown(w.namLBL), u("Brin & Halvey's &&Hits - Café & Ünïcödé"));
  const char* const labels[] = {"01 - Rock & roll && more", "02 - & intro", "03 - R&b", "04 - Outro &"};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shown(w.Label1(i)), u(labels[i]));
    EXPECT_EQ(w.Label1(i).Caption(), u(labels[i]));
  }

  ASSERT_TRUE(user().dblClickOn(w.Label1(0)));
  ASSERT_TRUE(w.isPlaying);
  EXPECT_EQ(shown(w.PlayingSong), u("01 - Café & ünïcödé"));
  EXPECT_EQ(shown(w.Label4), u("01 - Rock & roll && more"));
  EXPECT_EQ(shown(b.Label5), u("Café & ünïcödé"));
  EXPECT_EQ(shown(b.Label4), u("Rock & roll && more"));
  EXPECT_EQ(shown(b.Label8), u("Café & ünïcödé"));
  // The fixed captions beside them.
  EXPECT_EQ(shown(w.Label5), "Playing Album : ");
  EXPECT_EQ(shown(b.Label6), "Playing Album number 01 :");
}

TEST_F(NameLabels, ThePersonalListShowsTheNamesItPlaysAsTheyStand) {
  controls::HeldDrags drags;
  startWithNames();
  open(1);
  Form2& w = window();
  Form1& b = browser();
  press(w.Image8);  // the personal list's mode
  ASSERT_TRUE(user().pressOn(w.Label1(0)));
  ASSERT_EQ(drags.count(), 1);
  EXPECT_TRUE(user().dropAt(user().middleOf(w.Image8), drags.last()));
  user().releaseOn(w.Image8);
  ASSERT_EQ(w.pList.ListCount(), 1);
  EXPECT_EQ(w.pList.List(0), "Rock & roll && more");
  EXPECT_EQ(shown(w.PlayingSong), u(" 1 - Café & Ünïcödé"));
  EXPECT_EQ(shown(w.Label4), u(" 1 - Rock & roll && more"));
  EXPECT_EQ(shown(b.Label5), u("Café & Ünïcödé"));
  EXPECT_EQ(shown(b.Label4), u("rock & roll && more"));
  EXPECT_EQ(shown(b.Label8), u("Café & Ünïcödé"));
}

}  // namespace
}  // namespace player::testing_support
