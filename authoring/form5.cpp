// The design of the main window: every control's place, caption, tooltip,
// look and start state, then the wiring of each section's handlers.
#include "form5.h"

#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <initializer_list>

#include "artwork.h"
#include "colors.h"
#include "look.h"
#include "store_error.h"
#include "twips.h"

namespace {

Form5* liveInstance = nullptr;

// Colours of the design, as the windows write them (0x00BBGGRR).
constexpr controls::OleColor kPaleText = 0xF8EEE8;
constexpr controls::OleColor kMutedText = 0xDAB49F;
constexpr controls::OleColor kFieldWhite = 0xFFFFFF;
constexpr controls::OleColor kLinkBlue = 0xB05A1E;
constexpr controls::OleColor kCaptionGrey = 0x6E6259;

constexpr double kButton = 375;  // the square picture buttons of tab 1

// Paints beneath the children of a widget: the window's backdrop, and the
// small captions of the tab pages.
class SurfacePainter : public QObject {
 public:
  SurfacePainter(QWidget* surface, std::function<void(QPainter&)> paint)
      : QObject(surface), paint_(std::move(paint)) {
    surface->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      QPainter painter(static_cast<QWidget*>(watched));
      paint_(painter);
    }
    return false;
  }

 private:
  std::function<void(QPainter&)> paint_;
};

void place(controls::Control& control, double left, double top, double width, double height) {
  control.Move(left, top, width, height);
}

// A control of the design that shows a caption.
template <typename Captioned>
void place(Captioned& control, double left, double top, double width, double height, const QString& caption) {
  control.Move(left, top, width, height);
  control.setCaption(caption);
}

void pictureButton(controls::Image& image, double left, double top, double width, double height,
                   const QPixmap& look) {
  image.Move(left, top, width, height);
  image.setStretch(true);
  image.setPicture(controls::Picture(look));
}

void iconButton(controls::CommandButton& button, double left, double top, artwork::Glyph glyph,
                const QString& tooltip) {
  button.Move(left, top, kButton, kButton);
  button.setStyle(1);
  button.setPicture(controls::Picture(artwork::buttonIcon(glyph)));
  if (!tooltip.isEmpty()) button.setToolTipText(tooltip);
}

// A label that reads like a field the user clicks to edit.
void fieldLabel(controls::Label& label, double left, double top, double width, double height,
                const QString& tooltip) {
  label.Move(left, top, width, height);
  label.setBorderStyle(1);
  label.setBackColor(kFieldWhite);
  if (!tooltip.isEmpty()) label.setToolTipText(tooltip);
}

void linkLabel(controls::Label& label, double left, double top, const QString& caption) {
  label.Move(left, top, 1800, 255);
  label.setCaption(caption);
  label.setBackStyle(0);
  label.setForeColor(kLinkBlue);
  label.setFontUnderline(true);
}

// Blanks stand for the gaps between the column headings of tab 1: the
// size of the font in use that starts each heading nearest to its column,
// with the whole caption still on its one line.
double pointSizeToAlign(QFont font, const QString& caption, const std::vector<double>& columnStarts,
                        double lineWidth) {
  std::vector<QString> prefixes;
  for (int from = 0; prefixes.size() < columnStarts.size();) {
    int start = caption.indexOf(QStringLiteral("  "), from);
    if (start < 0) break;
    while (start < caption.size() && caption[start] == ' ') ++start;
    prefixes.push_back(caption.left(start));
    from = start;
  }
  double best = font.pointSizeF(), bestError = -1;
  for (double points = 6; points <= 9.01; points += 0.25) {
    font.setPointSizeF(points);
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(caption) > lineWidth) continue;
    double error = 0;
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
      const double off = metrics.horizontalAdvance(prefixes[i]) - columnStarts[i];
      error += off * off;
    }
    if (bestError < 0 || error < bestError) best = points, bestError = error;
  }
  return best;
}

// The captions inside the picture boxes: the largest font, up to the one in
// use, at which the whole caption fits its box.
void fitIntoBox(controls::Label& label) {
  QFont font = label.widget()->font();
  const QRect box(0, 0, controls::twipsToPixels(label.Width()), controls::twipsToPixels(label.Height()));
  for (double points = font.pointSizeF(); points > 6; points -= 0.25) {
    font.setPointSizeF(points);
    const QFontMetrics metrics(font);
    bool fits = metrics.boundingRect(box, Qt::TextWordWrap, label.Caption()).height() <= box.height();
    for (const QString& word : label.Caption().split(' ', Qt::SkipEmptyParts))
      fits = fits && metrics.horizontalAdvance(word) <= box.width();
    if (fits) break;
  }
  label.setFontSize(font.pointSizeF());
}

}  // namespace

Form5* Form5::instance() { return liveInstance; }

Form5::~Form5() {
  if (liveInstance == this) liveInstance = nullptr;
}

Form5::Form5() : Form("Form5") {
  liveInstance = this;
  using artwork::Glyph;

  // ---- The frame ----------------------------------------------------------
  setBorderStyle(0);
  setCaption(QStringLiteral("Quendrel"));
  setWidth(8880);
  setHeight(6750);
  // The painters belong to the widgets they paint, which delete them.
  new SurfacePainter(widget(), [this, backdrop = QPixmap()](QPainter& p) mutable {
    if (backdrop.size() != widget()->size()) backdrop = artwork::windowBackdrop(widget()->size());
    p.drawPixmap(0, 0, backdrop);
  });

  pictureButton(ImgBtnUpLeft, 0, 0, 750, 750, artwork::minimiseButton(false));
  pictureButton(Image13, 6960, 90, 1650, 900, artwork::nextTabButton(false));
  pictureButton(Image14, 8610, 0, 675, 1050, artwork::closeButton(false));
  pictureButton(Image15, 0, 6090, 675, 675, artwork::helpButton(false));
  place(Image5, 7920, 120, 855, 255);

  place(Label4, 900, 300, 5850, 450);
  Label4.setBackStyle(0);
  Label4.setForeColor(kPaleText);
  Label4.setFontSize(13);
  Label4.setFontBold(true);

  place(SSTab1, 120, 1155, 8640, 4815);
  SSTab1.setTabCaption(0, QStringLiteral("*Create / Load project"));
  SSTab1.setTabCaption(1, QStringLiteral("Edit Album"));
  SSTab1.setTabCaption(2, QStringLiteral("&Details / Interface"));

  place(lblFolderSize, 5700, 6300, 3000, 255);
  lblFolderSize.setAlignment(1);
  lblFolderSize.setBackStyle(0);
  lblFolderSize.setForeColor(kMutedText);

  place(Frame3, 1080, 6120, 2895, 615);
  Frame3.setBackColor(controls::kDialogGrey);
  pictureButton(Image6, 45, 45, 255, 525, artwork::panelGrip());
  place(Command27, 345, 90, 870, 435, QStringLiteral("Compile"));
  place(cmdPreview, 1245, 90, 690, 435, QStringLiteral("Run"));
  place(Command5, 1965, 90, 870, 435, QStringLiteral("Browse"));
  Command23.setCaption(QStringLiteral("rytrv covers"));
  Command23.setVisible(false);
  Command26.setVisible(false);  // the developer's viewer of the lyrics database

  // ---- Tab 0: the project picker -------------------------------------------
  place(Option1, 360, 240, 2700, 330, QStringLiteral("Create a new Project"));
  place(Option2, 3360, 240, 2700, 330, QStringLiteral("Load an Existing project"));
  Option1.setValue(true);

  // Label16's lines name the controls beside them; they are placed on its lines.
  Label16.setCaption(QStringLiteral("Drive:\r\n\r\nFolder:\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nProject\r\nName:"));
  const double line = controls::pixelsToTwips(QFontMetrics(Label16.widget()->font()).lineSpacing());
  const double pickerTop = 900;
  place(Label16, 360, pickerTop, 900, 12 * line + 60);
  Label16.setBackStyle(0);
  place(Drive1, 1320, pickerTop - 45, 3900, 315);
  place(Dir1, 1320, pickerTop + 2 * line - 15, 3900, 7.6 * line);
  // New projects are made, at first, in the user's home folder.
  try {
    Drive1.setDrive(QDir::homePath());
    Dir1.setPath(QDir::homePath());
  } catch (const store::StoreError&) {
    // An unreadable home leaves the lists where they start.
  }
  place(txtProjectName, 1320, pickerTop + 10 * line + line - 165, 2580, 330);
  place(cmdBuildNewProj, 4020, pickerTop + 10 * line + line - 180, 1200, 360, QStringLiteral("Build"));
  place(listProjects, 1320, pickerTop - 45, 3900, 12 * line + 60);
  place(cmdOpenExistProj, 5400, pickerTop - 45, 1200, 360, QStringLiteral("Open"));
  place(Command1, 5400, pickerTop + 405, 1200, 360, QStringLiteral("Delete"));
  place(listProjectsPath, 6900, pickerTop, 1500, 1200);
  for (controls::Control* c : {static_cast<controls::Control*>(&listProjects), static_cast<controls::Control*>(&cmdOpenExistProj),
                               static_cast<controls::Control*>(&Command1)}) {
    c->setVisible(false);
    c->setEnabled(false);
  }
  listProjectsPath.setVisible(false);

  // ---- Tab 1: albums and songs -------------------------------------------
  place(Label8, 120, 240, 6015, 255);
  Label8.setBackStyle(0);
  const QString headings = QStringLiteral("Album to edit:") + QString(28, ' ') + QStringLiteral("Set Album cover:") +
                           QString(25, ' ') + QStringLiteral("Songs to edit:");
  Label8.setFontSize(pointSizeToAlign(Label8.widget()->font(), headings,
                                      {(2520.0 - 120) / controls::kTwipsPerPixel, (4680.0 - 120) / controls::kTwipsPerPixel},
                                      Label8.Width() / controls::kTwipsPerPixel - 4));
  Label8.setCaption(headings);
  place(List1, 120, 480, 2055, 3735);
  place(imgPreview2, 2520, 675, 1905, 1575);
  imgPreview2.setStretch(true);
  imgPreview2.setBorderStyle(1);
  iconButton(Command6, 2280, 2520, Glyph::MoveUp, QStringLiteral("Move album UP"));
  iconButton(Command2, 2760, 2520, Glyph::AddAlbum, QStringLiteral("Add an album"));
  iconButton(Command24, 2280, 3000, Glyph::MoveDown, QStringLiteral("Move album DOWN"));
  iconButton(Command22, 2760, 3000, Glyph::RemoveAlbum, {});
  iconButton(Command19, 2280, 3480, Glyph::RenameAlbum, QStringLiteral("Rename album"));
  iconButton(Command20, 2760, 3480, Glyph::AlbumPicture, QStringLiteral("Set the album's picture"));
  Dir4.setVisible(false);

  place(File4, 4680, 480, 2295, 2370);
  File4.setPattern(QStringLiteral("*.mp3"));
  iconButton(Command7, 3720, 2520, Glyph::AddSong, QStringLiteral("Add MP3 file"));
  iconButton(Command8, 4200, 2520, Glyph::MoveUp, QStringLiteral("Move MP3 UP"));
  iconButton(Command13, 3720, 3000, Glyph::DeleteSong, QStringLiteral("Delete MP3 File"));
  iconButton(Command11, 4200, 3000, Glyph::MoveDown, QStringLiteral("Move MP3 DOWN"));
  iconButton(Command15, 3720, 3480, Glyph::Lyrics, QStringLiteral("Set the lyric of the MP3"));
  iconButton(Command14, 4200, 3480, Glyph::RenameSong, QStringLiteral("Rename MP3 file"));
  // A little wider than its options' first design, so that their captions show whole.
  place(Frame4, 4800, 3120, 2175, 615);
  Frame4.setBorderStyle(0);
  place(optFrom1, 0, 0, 2055, 330, QStringLiteral("Add files from disc"));
  place(optFrom2, 0, 360, 2055, 255, QStringLiteral("Rip music from CD"));
  optFrom1.setValue(true);

  // ---- Tab 2: details and interface ----------------------------------------
  place(Label5, 240, 150, 3330, 255, QStringLiteral("Project name:") + QString(33, ' '));
  Label5.setBackStyle(0);
  // Wide enough for a name with blanks, as the sample's has.
  place(lblProjectName, 1560, 150, 2880, 255);
  lblProjectName.setBackStyle(0);
  lblProjectName.setFontBold(true);
  place(Label3, 240, 540, 1000, 255, QStringLiteral("CD Label :"));
  Label3.setBackStyle(0);
  fieldLabel(lblCdLabl, 1560, 510, 1500, 285, {});
  place(Check1, 240, 855, 4200, 225, QStringLiteral("Add a password to your project"));

  place(Label10, 360, 1920, 735, 495, QStringLiteral("Initializing       pic"));
  place(Image4, 255, 1800, 915, 780);
  Image4.setToolTipText(QStringLiteral("The picture of the initializing screen"));
  place(Command16, 360, 2760, 735, 255);
  place(Picture1, 1560, 1800, 780, 780);
  Picture1.setBackColor(kFieldWhite);
  Picture1.setToolTipText(QStringLiteral("The program icon"));
  place(Command9, 1560, 2760, 780, 255);
  place(Label7, 3360, 1440, 615, 255, QStringLiteral("Title pic"));
  place(Image2, 3135, 1080, 1080, 975);
  Image2.setToolTipText(QStringLiteral("The upper innitializing picture"));
  place(Command10, 3360, 2280, 615, 255);
  place(Label9, 3240, 3120, 855, 255, QStringLiteral("Subtitle pic"));
  place(Image3, 3120, 2760, 1095, 975);
  Image3.setToolTipText(QStringLiteral("The lower innitializing picture"));
  place(Command12, 3360, 3960, 615, 255);
  for (controls::Image* box : {&Image2, &Image3, &Image4}) {
    box->setStretch(true);
    box->setBorderStyle(1);
  }
  for (controls::Label* caption : {&Label7, &Label9, &Label10}) {
    caption->setAlignment(2);
    caption->setBackStyle(0);
    fitIntoBox(*caption);
  }
  for (controls::CommandButton* clear : {&Command9, &Command10, &Command12, &Command16})
    clear->setCaption(QStringLiteral("Clear"));

  fieldLabel(lblProjectTitle, 4560, 330, 3840, 375, QStringLiteral("Title"));
  lblProjectTitle.setFontSize(10);
  lblProjectTitle.setFontBold(true);
  fieldLabel(lblProjectSubTitle, 4560, 990, 3840, 315, QStringLiteral("Sub Title"));
  fieldLabel(Label13, 4560, 1590, 3840, 1200, QStringLiteral("The information text"));
  // The project's name and texts show as they stand: an "&" in them is a letter, not a mark.
  for (controls::Label* text : {&lblProjectName, &lblCdLabl, &lblProjectTitle, &lblProjectSubTitle, &Label13})
    text->setUseMnemonic(false);

  place(Frame5, 4560, 3150, 1455, 495);
  Frame5.setBorderStyle(0);
  Frame5.setBackColor(controls::vbBlack);
  place(Label19, 0, 0, 105, 240);
  Label19.setBackColor(0xC0FFFF);
  Label19.setBorderStyle(1);
  for (controls::Label* channel : {&Label14, &Label17, &Label18}) {
    place(*channel, 0, 240, 485, 255);
    channel->setCaption(QStringLiteral("0"));
    channel->setAlignment(2);
    channel->setForeColor(controls::vbWhite);
  }
  Label14.setBackColor(controls::RGB(176, 40, 40));
  Label17.setBackColor(controls::RGB(30, 130, 60));
  Label18.setBackColor(controls::RGB(40, 70, 170));
  Label14.setBorderStyle(1);

  linkLabel(Label1, 6480, 3150, QStringLiteral("Help on the web"));
  linkLabel(Label15, 6480, 3420, QStringLiteral("Visit the website"));
  place(lblVersion, 6480, 3780, 1920, 480);
  lblVersion.setBackStyle(0);
  lblVersion.setForeColor(kCaptionGrey);

  // The captions of the tab's fields, drawn on the page itself.
  new SurfacePainter(SSTab1.page(2).containerWidget(), [](QPainter& p) {
    p.setPen(controls::toQColor(kCaptionGrey));
    auto caption = [&p](double left, double top, const QString& text) {
      p.drawText(QPointF(controls::twipsToPixels(left), controls::twipsToPixels(top)), text);
    };
    caption(4560, 285, QStringLiteral("Title"));
    caption(4560, 945, QStringLiteral("Sub Title"));
    caption(4560, 1545, QStringLiteral("The information text"));
    caption(4560, 3105, QStringLiteral("Interface color"));
    caption(1560, 1755, QStringLiteral("Icon"));
  });

  // ---- Start states ------------------------------------------------------
  // Nothing of a project can be used before one is created or opened.
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &Command2, &Command19, &Command20, &Command22, &Command6, &Command24, &Command7, &Command8, &Command11,
           &Command13, &Command14, &Command15, &cmdPreview, &Command27, &Command5, &Command9, &Picture1, &Command10,
           &Command12, &Command16, &Image2, &Image3, &Image4, &imgPreview2, &Label13, &lblProjectTitle,
           &lblProjectSubTitle, &lblCdLabl, &Label7, &Label9, &Label10, &Check1})
    c->setEnabled(false);

  connectWindowHandlers();
  connectProjectHandlers();
  connectTextHandlers();
  connectAlbumHandlers();
  connectIconHandlers();
  connectSongHandlers();
  connectPictureHandlers();
  connectCompileHandlers();
}
