// What a label shows of its caption: the access-key marks taken out, or the
// caption as it stands for a label that shows the user's names and texts.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "control_array.h"
#include "form.h"
#include "label.h"
#include "look.h"
#include "render.h"

namespace controls {
namespace {

QString shown(const Label& label) { return qobject_cast<QLabel*>(label.widget())->text(); }

class Panel : public Form {
 public:
  Panel() : Form("Panel") {
    Move(0, 0, 3000, 1000);
    Label1(0).Move(120, 120, 2700, 255);
  }
  ControlArray<Label> Label1{*this, "Label1"};
};

TEST(LabelCaption, MarksAreTakenOutUnlessTheCaptionShowsAsItStands) {
  const struct {
    const char* caption;
    const char* withMarks;  // UseMnemonic true
  } cases[] = {
      {"Rock & Roll", "Rock  Roll"},
      {"Rock && Roll", "Rock & Roll"},
      {"10 - Rock & roll && more", "10 - Rock  roll & more"},
      {"&Details / Interface", "Details / Interface"},
      {"& Start", " Start"},
      {"End &", "End "},
      {"&&", "&"},
      {"&&&", "&"},
      {"R&B", "RB"},
      {"Café & Ünïcödé", "Café  Ünïcödé"},
      {"No marks", "No marks"},
      {"", ""},
  };
  Panel panel;
  Label& label = panel.Label1(0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    const QString caption = QString::fromUtf8(c.caption);
    label.setUseMnemonic(true);
    label.setCaption(caption);
    EXPECT_EQ(shown(label), QString::fromUtf8(c.withMarks));
    EXPECT_EQ(label.Caption(), caption);
    // Switched after the caption was set, the label shows it anew.
    label.setUseMnemonic(false);
    EXPECT_EQ(shown(label), caption);
    EXPECT_EQ(label.Caption(), caption);
    label.setCaption(caption);
    EXPECT_EQ(shown(label), caption);
  }
  label.setUseMnemonic(true);
  EXPECT_EQ(shown(label), "");
}

TEST(LabelCaption, ANewElementOfAnArrayShowsItsCaptionAsElementZeroDoes) {
  Panel panel;
  panel.Label1(0).setUseMnemonic(false);
  Label& added = panel.Label1.Load(1);
  EXPECT_FALSE(added.UseMnemonic());
  added.setCaption("01 - Rock & Roll");
  EXPECT_EQ(shown(added), "01 - Rock & Roll");
  // Elements of an array whose element 0 keeps the marks keep them too.
  Panel marked;
  EXPECT_TRUE(marked.Label1(0).UseMnemonic());
  Label& markedAdded = marked.Label1.Load(1);
  markedAdded.setCaption("01 - Rock & Roll");
  EXPECT_EQ(shown(markedAdded), "01 - Rock  Roll");
}

TEST(LabelCaption, AnAutoSizedLabelTakesTheSizeOfWhatItShows) {
  Panel panel;
  Label& label = panel.Label1(0);
  label.setAutoSize(true);
  label.setCaption("&&&&&&&&&&&&&&&&");
  const double marked = label.Width();
  label.setUseMnemonic(false);
  EXPECT_GT(label.Width(), marked);
  label.setUseMnemonic(true);
  EXPECT_EQ(label.Width(), marked);
}

// The window as drawn: a caption shown as it stands looks like the same
// text escaped for a marked label, and not like the text with the mark
// taken out, so the "&" reaches the screen.
TEST(LabelCaption, TheAmpersandOfACaptionShownAsItStandsIsDrawn) {
  applyLook(*qApp);
  Panel panel;
  Label& label = panel.Label1(0);
  QTemporaryDir folder;
  const auto drawn = [&](const QString& caption, bool useMnemonic) {
    label.setUseMnemonic(useMnemonic);
    label.setCaption(caption);
    const QString path = folder.filePath("label_caption.png");
    EXPECT_TRUE(renderToPng(panel, path));
    return QImage(path);
  };
  const QImage asItStands = drawn("Rock & Roll", false);
  EXPECT_EQ(asItStands, drawn("Rock && Roll", true));
  EXPECT_NE(asItStands, drawn("Rock & Roll", true));
}

}  // namespace
}  // namespace controls
