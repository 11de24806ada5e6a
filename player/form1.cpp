#include "form1.h"

#include <QCoreApplication>
#include <QTime>
#include <algorithm>
#include <filesystem>

#include "artwork.h"
#include "collection_files.h"
#include "design.h"
#include "disc_pictures.h"
#include "display_names.h"
#include "dialogs/dialog_service.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "interface_colour.h"
#include "pack_file.h"
#include "path_functions.h"
#include "path_helpers.h"
#include "player.h"
#include "project_data.h"
#include "runtime_rules.h"
#include "screen.h"
#include "setup_launch.h"
#include "store_error.h"
#include "system/app_paths.h"
#include "system/process_launcher.h"
#include "window_on_screen.h"
#include "window_timer.h"

namespace player {
namespace {

using controls::Screen;

constexpr int kMostAlbums = 30;
constexpr int kFirstInterval = 5000;
constexpr int kRevealInterval = 100;

// Whether `path` is this very program: an autorun line that opens the
// player itself must not make it start itself again and again.
bool isOwnProgram(const std::string& path) {
  std::error_code ec;
  const bool same = std::filesystem::equivalent(path, QCoreApplication::applicationFilePath().toStdString(), ec);
  return !ec && same;
}

}  // namespace

Form1::Form1(Player& player) : Form("Form1"), player_(player) {
  design();
  tickIntoHandler(*this, BoxesTimer, [this] { BoxesTimer_Timer(); });
  wireCommands();
}

// ---------------------------------------------------------------------------
// Design

void Form1::design() {
  setBorderStyle(0);
  Frame1.setBorderStyle(0);
  Frame1.Move(0, 0, 12000, 9600);

  Image1(0).setStretch(true);
  Image1(0).setPicture(artwork::defaultCover());
  Image1(0).Move(2400, 480, 1095, 1095);
  mainIMG.setStretch(true);
  mainIMG.setPicture(Image1(0).Picture());
  mainIMG.Move(8640, 480, controls::kCoverShownTwips, controls::kCoverShownTwips);

  for (controls::Line* line : {&Line1, &Line2, &Line3, &Line4}) {
    line->setBorderColor(controls::vbWhite);
    line->setBorderWidth(2);
  }
  for (controls::CommandButton* hidden : {&Command1, &Command3, &Command4}) hidden->setVisible(false);
  Dir1.setVisible(false);
  File1.setVisible(false);
  // The open album's songs; pictures and lyrics files beside them take no label.
  File1.setPattern(kSongFilePattern);
  List1.setVisible(false);

  designTexts();
  designButtons();
}

void Form1::designTexts() {
  // The title over its shadow, the subtitle and the heading of the boxes.
  designLabel(Label2, 240, 550, 1980, 1200, 16, 0x202020, true);
  designLabel(Label1, 240, 550, 1980, 1200, 16, controls::vbWhite, true);
  designLabel(Label3, 240, 1800, 1980, 720, 9, kCaptionColour);
  Label3.setFontItalic(true);
  designLabel(Label9, 2400, 150, 5875, 270, 8, kCaptionColour, true);
  Label9.setCaption("Albums");

  // The selected album and what plays, under the large picture.
  designLabel(Label8, 8640, 3600, 3000, 420, 12, controls::vbWhite, true);
  Label8.setAlignment(2);
  designLabel(Label6, 8640, 4260, 3000, 240, 8, kCaptionColour);
  designLabel(Label5, 8640, 4500, 3000, 285, 10, kSongPlayingColour, true);
  designLabel(Label7, 8640, 4860, 3000, 240, 8, kCaptionColour);
  designLabel(Label4, 8640, 5100, 3000, 285, 10, kSongPlayingColour, true);
  for (controls::Label* label : {&Label6, &Label5, &Label7, &Label4}) label->setAlignment(2);
  // The collection's title and subtitle and the names of its albums and
  // songs show as they stand: an "&" in them is a letter, not a mark.
  for (controls::Label* label : {&Label2, &Label1, &Label3, &Label8, &Label5, &Label4}) label->setUseMnemonic(false);

  // The title link sits on the line where six rows of boxes end.
  designLabel(LabelShadow, 8655, 7310, 3000, 255, 9, 0x202020);
  designLabel(ttlL, 8640, 7295, 3000, 255, 9, controls::vbWhite);
  for (controls::Label* label : {&LabelShadow, &ttlL}) {
    label->setCaption("Create your own collection");
    label->setAlignment(2);
    label->setFontUnderline(true);
  }
  ttlL.setMousePointer(controls::vbUpArrow);

  designBackdrop(Command2);
  Command2.Move(2300, 380, 6175, 6175);
  Command2.setVisible(false);
  designReadingBox(Text1);
  Text1.setLocked(true);
  Text1.Move(2400, 480, 5975, 5975);
  Text1.setVisible(false);
}

void Form1::designButtons() {
  designLook(Image4, artwork::playAllButton(false));
  designLook(Image5, artwork::playAllButton(true));
  designLook(Image6, artwork::minimiseButton(false));
  designLook(Image7, artwork::minimiseButton(true));
  designLook(Image8, artwork::informationButton(false));
  designLook(Image3, artwork::informationButton(true));

  imgPlyAll.setPicture(Image4.Picture());
  Image9.setPicture(Image8.Picture());
  minIMG.setPicture(Image6.Picture());
  Image2.setPicture(artwork::exitButton());
  double top = 2700;
  for (controls::Image* button : {&imgPlyAll, &Image9, &minIMG, &Image2}) {
    button->Move(240, top);
    top += 540;
  }
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

void Form1::Form_Load() {
  player_.setCollectionRoot(collectionRootOf(platform::appPath().toStdString()));
  unpackPictures();
  if (!readProjectData()) return;
  startUp();
  if (player_.hasEnded()) return;
  Form2& window = player_.form2();
  window.enterChk = true;
  window.modent = true;
}

void Form1::startUp() {
  if (!form4PicName.isEmpty()) player_.form4().showMe();
  placeLogo();
  if (!installedMarkerPresent()) return;

  PlayAll = false;
  PlayAllPressed = false;
  pickUp = false;

  Form2& window = player_.form2();
  Label2.setCaption(Label1.Caption());
  setCaption(Label1.Caption());
  window.setCaption(Label1.Caption());

  numOfAlbums = 1;
  Album = 1;
  window.setVisible(false);

  coverScreen(*this);
  Label1.setTop(Label2.Top() + 7);
  Label1.setLeft(Label2.Left() + 10);
  setBorder(0);
  Frame1.setLeft((Screen::Width() - Frame1.Width()) / 2);
  window.Frame1.setLeft((Screen::Width() - window.Frame1.Width()) / 2);
  window.Frame1.setTop(0);
  window.Label4.setForeColor(kSongPlayingColour);
  window.PlayingSong.setForeColor(kSongPlayingColour);

  albumCount_ = listAlbumFolders();
  if (albumCount_ == 0) {
    player_.endAtOnce(EndReason::NoAlbums);
    return;
  }
  createDynamicImages(albumCount_);
  for (int i = 0; i < albumCount_; ++i) {
    albumNames_[static_cast<std::size_t>(i)] = lastComponent(Dir1.List(i));
    if (i == 0) Label8.setCaption(withoutNumber(albumNames_[0]));
  }
  unpackCovers();
  for (int k = 1; k <= albumCount_; ++k) loadPicToCover(k);
  // Covers of albums the disc does not hold, and second covers of an album.
  covers_.discardRest();
  setBorder(0);

  numOfAlbums = static_cast<std::int16_t>(albumCount_);
  theAlbum = albumNames_[static_cast<std::size_t>(Album - 1)];
  imgPlyAll.setPicture(Image4.Picture());
  minIMG.setPicture(Image6.Picture());
  window.Label6.setVisible(false);
  window.Label5.setVisible(false);
  showFrame(false);
  makeAllVisible(false);

  Form3& placeholder = player_.form3();
  placeholder.setIcon(Icon());
  placeholder.setHeight(375);
  placeholder.setWidth(90);

  arrangeBoxes(1, true);
  player_.random().randomize(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
  moveLogo();

  setPlayerWindowDefaults();
  Image9.setPicture(Image8.Picture());
  window.getCorrectLyrcs4Basket = false;
  Text1.setMouseIcon(Frame1.MouseIcon());
  window.Text1.setMouseIcon(Frame1.MouseIcon());
  Label1.setTop(Label1.Top() - 70);
  Label2.setTop(Label2.Top() - 70);
  applyInterfaceColour();
  window.setView();
}

// The logo in the middle of the panel, the bottom picture overlapping its
// foot.
void Form1::placeLogo() {
  ImageTorvel.setVisible(false);
  ImageTorvel.setLeft(Frame1.Width() / 2 - ImageTorvel.Width() / 2);
  ImageTorvel.setTop(Frame1.Height() / 2 - ImageTorvel.Height() / 2 - 1600);
  Image10.setLeft(Frame1.Width() / 2 - Image10.Width() / 2);
  Image10.setTop(ImageTorvel.Top() + ImageTorvel.Height() - 390);
  ImageTorvel.setVisible(true);
}

// Without the marker the support files are not installed: the program that
// installs them is started and the player ends. The player needs none of the
// support files to play, so it plays whenever that program is not started:
// after Setup has just tried and failed (starting Setup again would only
// start us again; it tries anew the next time the disc starts), and when the
// disc holds no launcher that can be started.
bool Form1::installedMarkerPresent() {
  if (!installedMarkerMissing(store::GetWindowsSysDir())) return true;
  if (!qEnvironmentVariableIsEmpty(platform::kInstallTriedVariable)) return true;
  const std::string& root = player_.collectionRoot();
  const auto setup = setupProgramPath(root);
  if (!setup || isOwnProgram(*setup)) return true;
  platform::ProcessStart start;
  start.program = QString::fromStdString(*setup);
  start.workingDirectory = QString::fromStdString(root);
  start.style = platform::WindowStyle::Normal;
  if (!platform::processLauncher().start(start)) return true;
  player_.endAtOnce(EndReason::SetupStarted);
  return false;
}

// Every subfolder of the root is an album; the browser holds thirty.
int Form1::listAlbumFolders() {
  const std::string& root = player_.collectionRoot();
  if (root.empty()) return 0;
  try {
    Dir1.setPath(QString::fromStdString(root));
  } catch (const store::StoreError&) {
    return 0;
  }
  return std::min(Dir1.ListCount(), kMostAlbums);
}

void Form1::setPlayerWindowDefaults() {
  Form2& w = player_.form2();
  w.imgPlayB.setPicture(w.ip1.Picture());
  w.imgStopB.setPicture(w.is1.Picture());
  w.imgRewB.setPicture(w.ir1.Picture());
  w.imgFfB.setPicture(w.if1.Picture());
  w.imgPauseB.setPicture(w.ips1.Picture());

  w.scrlVOL.setMax(0);
  w.scrlVOL.setMin(-6000);
  w.scrlVOL.setValue(-600);
  w.scrlBAL.setMin(-10000);
  w.scrlBAL.setMax(10000);
  w.scrlBAL.setValue(0);

  for (controls::Label* readout : {&w.Label3, &w.Label9}) {
    readout->Move(w.MP1->left(), w.MP1->top(), w.MP1->width(), w.MP1->height());
    readout->setVisible(false);
  }

  w.firstFileOpen = true;
  w.BasketPressed = false;
  w.pickUpBasket = false;
  w.Image8.setPicture(w.Image6.Picture());
  for (int i = 1; i <= 30 && w.Label1.exists(i); ++i) w.Label1(i).setDragIcon(w.Label1(0).DragIcon());
  w.Image11.setPicture(w.Image12.Picture());
  w.Image13.setPicture(w.Image14.Picture());
  w.Image16.setPicture(w.Image17.Picture());
  w.repeatPrvtLst = false;
}

void Form1::applyInterfaceColour() {
  Form2& w = player_.form2();
  for (controls::Element* element : std::initializer_list<controls::Element*>{
           this, &Frame1, &Text1, &w, &w.Text1, &w.Frame1, &w.pList, &w.FrameUtils})
    element->setBackColor(globalColor);
  ttlL.setForeColor(titleLinkColour(BackColor()));
}

void Form1::Form_Unload(int&) {
  Text1.setCaretVisible(true);
  player_.setClosing();
  if (Form2* window = player_.loadedForm2()) {
    if (window->MP1->playState() == media::PlayState::Playing) window->MP1->stop();
  }
  if (Form3* placeholder = player_.loadedForm3()) placeholder->Unload();
  if (Form4* intro = player_.loadedForm4()) intro->Unload();
  // The hidden player window goes too, so that the program really ends.
  if (Form2* window = player_.loadedForm2()) window->Unload();
}

// ---------------------------------------------------------------------------
// Reading the collection

void Form1::unpackPictures() {
  tempDirectory = platform::tempFolder().trimmed();
  const auto folder = player_.tempFolder().make(tempDirectory.toStdString());
  if (!folder) return;
  pictures_.unpack(collectionFile(player_.collectionRoot(), store::kPicturesPackFileName), *folder);
}

bool Form1::readProjectData() {
  const std::string& root = player_.collectionRoot();
  const std::string path = collectionFile(root, store::kProjectDataFileName);
  if (path.empty()) {
    platform::dialogs().MsgBox("A file is missing.", platform::vbOKOnly);
    player_.endAtOnce(EndReason::ProjectDataMissing);
    return false;
  }
  store::ProjectData data;
  try {
    data = store::readProjectData(path);
  } catch (const store::StoreError&) {
    data.magic = 0;
  }
  if (data.magic != store::PROJECT_DATA_MAGIC) {
    player_.endAtOnce(EndReason::ProjectDataInvalid);
    return false;
  }

  if (const auto colour = interfaceColour(data.colourRed, data.colourGreen, data.colourBlue)) globalColor = *colour;
  if (!data.iconFile.empty()) {
    // Only an icon of the collection's own folder: a crafted name cannot
    // point the player at a file elsewhere.
    const std::string iconPath = collectionFile(root, data.iconFile);
    try {
      // Only ever a window icon: kept no bigger than one is drawn.
      if (!iconPath.empty())
        setIcon(controls::LoadPicture(QString::fromStdString(iconPath),
                                      QSizeF(controls::kIconShownTwips, controls::kIconShownTwips)));
    } catch (const store::StoreError&) {
    }
  }
  if (!data.initPicFile.empty()) {
    const std::string folder = player_.tempFolder().path().value_or(tempDirectory.toStdString());
    form4PicName = QString::fromStdString(folder + data.initPicFile);
    // The intro window takes the picture's size.
    if (const auto picture = pictures_.takeForItsOwnWindow(data.initPicFile))
      player_.form4().Image1.setPicture(*picture);
  }
  if (const auto picture = pictures_.take(data.titlePicFile)) ImageTorvel.setPicture(*picture);
  if (const auto picture = pictures_.take(data.bottomPicFile)) Image10.setPicture(*picture);
  // Pictures the project data does not name are never shown.
  pictures_.discardRest();
  Label1.setCaption(QString::fromStdString(data.projectTitle));
  Label3.setCaption(QString::fromStdString(data.projectSubTitle));
  Text1.setText(QString::fromStdString(data.infoText));
  return true;
}

void Form1::unpackCovers() {
  tempDirectory = platform::tempFolder().trimmed();
  const auto folder = player_.tempFolder().makeSubfolder(tempDirectory.toStdString(), "cvrd");
  if (!folder) return;
  covers_.unpack(collectionFile(player_.collectionRoot(), store::kCoversPackFileName), *folder, kMostAlbums);
}

// ---------------------------------------------------------------------------
// Album boxes

void Form1::createDynamicImages(int numOfLibraries) {
  double x = Image1(0).Left();
  double y = Image1(0).Top();
  for (int i = 0; i < numOfLibraries; ++i) {
    if (i > 0) {
      if (!Image1.exists(i)) Image1.Load(i);
      x += Image1(i).Width() + 100;
      if (i % 5 == 0) {
        y += Image1(i).Height() + 100;
        x = Image1(0).Left();
      }
    }
    Image1(i).setTop(y);
    Image1(i).setLeft(x);
    Image1(i).setVisible(true);
  }
}

void Form1::loadPicToCover(int coversIdx) {
  if (!Image1.exists(coversIdx - 1)) return;
  const std::string stem = GetAlbumName(coversIdx).left(2).toStdString() + ".";
  for (const char* extension : {"jpg", "bmp", "gif", "jpeg"}) {
    const std::string name = stem + extension;
    if (!covers_.find(name)) continue;
    // A cover is only ever drawn stretched: in its box, in the large picture
    // and in the player window's picture of the open album, of which the
    // large picture is the biggest. It is kept at no more than that.
    const controls::Image& box = Image1(coversIdx - 1);
    const QSizeF shownAt(std::max(box.Width(), mainIMG.Width()), std::max(box.Height(), mainIMG.Height()));
    if (const auto picture = covers_.take(name, shownAt)) Image1(coversIdx - 1).setPicture(*picture);
    return;
  }
}

void Form1::arrangeBoxes(int mode, bool checkFit) {
  if (numOfAlbums < 1 || !Image1.exists(numOfAlbums - 1)) return;
  const controls::Image& last = Image1(numOfAlbums - 1);
  const double screenHeight = Screen::Height();
  double growth;
  if (mode == 1) {
    const double bottom = static_cast<double>(runtime::roundHalfEven(last.Top() + last.Height()));
    if (checkFit && screenHeight >= bottom) return;
    const int rows = (numOfAlbums + 4) / 5;
    const double delta = static_cast<double>(runtime::roundHalfEven((bottom - screenHeight) / rows)) + 100;
    // The player window makes room on the same screen.
    if (delta > 0) player_.form2().reArangeFormSize();
    growth = -delta;
  } else if (mode == 2) {
    if (last.Top() + 2 * last.Height() > screenHeight) return;
    growth = 100;
  } else {
    if (Image1(0).Width() <= 200) return;
    growth = -100;
  }

  const double left0 = Image1(0).Left();
  const double top0 = Image1(0).Top();
  for (int i = 0; i < kMostAlbums; ++i) {
    if (!Image1.exists(i)) continue;
    controls::Image& box = Image1(i);
    // A size below nothing is refused, as the control refuses it.
    if (box.Width() + growth >= 0) box.setWidth(box.Width() + growth);
    if (box.Height() + growth >= 0) box.setHeight(box.Height() + growth);
    if (box.Left() != left0 && Image1.exists(i - 1))
      box.setLeft(Image1(i - 1).Left() + Image1(i - 1).Width() + 100);
    if (box.Top() != top0 && Image1.exists(i - 5))
      box.setTop(Image1(i - 5).Top() + Image1(i - 5).Height() + 100);
  }

  const double lastBottom = last.Top() + last.Height();
  if (Label4.Top() + Label4.Height() + 100 < lastBottom) {
    // The link's shadow keeps its place under the link.
    const double shadowOffset = LabelShadow.Top() - ttlL.Top();
    ttlL.setTop(lastBottom - ttlL.Height());
    LabelShadow.setTop(ttlL.Top() + shadowOffset);
  }
}

std::vector<controls::Control*> Form1::interfaceControls() {
  return {&Label1, &Label2, &Label3, &mainIMG, &minIMG,      &Image2,
          &Image9, &ttlL,   &LabelShadow, &imgPlyAll, &Label9, &Label8};
}

void Form1::makeAllVisible(bool doit) {
  for (int i = 0; i < numOfAlbums && Image1.exists(i); ++i) {
    Image1(i).setVisible(doit);
    Image1(i).setEnabled(doit);
  }
  for (controls::Control* control : interfaceControls()) control->setVisible(doit);
}

void Form1::moveLogo() {
  revealedBoxes_ = 0;
  BoxesTimer.setInterval(kFirstInterval);
  BoxesTimer.setEnabled(true);
}

void Form1::BoxesTimer_Timer() {
  // A tick that comes while the last one lets pending events run would draw
  // the box that one is about to show.
  if (revealing_) return;
  if (BoxesTimer.Interval() == kFirstInterval) BoxesTimer.setInterval(kRevealInterval);

  std::vector<int> hidden;
  for (int i = 0; i < numOfAlbums && Image1.exists(i); ++i)
    if (!Image1(i).Visible()) hidden.push_back(i);
  if (hidden.empty()) {
    finishAnimation();
    return;
  }
  // Rejection gives a uniform choice among the hidden boxes; the cap only
  // guards against a source of numbers that never lands on one.
  constexpr int kMostDraws = 10000;
  int idx = -1;
  for (int draw = 0; draw < kMostDraws; ++draw) {
    const int candidate = player_.random().below(numOfAlbums);
    if (std::find(hidden.begin(), hidden.end(), candidate) != hidden.end()) {
      idx = candidate;
      break;
    }
  }
  if (idx < 0) idx = hidden.front();

  revealing_ = true;
  runtime::letPendingEventsRun();
  revealing_ = false;
  if (!isLoaded()) return;
  Image1(idx).setVisible(true);
  ++revealedBoxes_;
  if (revealedBoxes_ >= numOfAlbums) finishAnimation();
}

void Form1::finishAnimation() {
  BoxesTimer.setEnabled(false);
  for (controls::Control* control : interfaceControls()) control->setVisible(true);
  ImageTorvel.setVisible(false);
  Image10.setVisible(false);
  for (int i = 0; i < numOfAlbums && Image1.exists(i); ++i) Image1(i).setEnabled(true);
}

void Form1::setBorder(int Index) {
  if (Image1.exists(Index)) mainIMG.setPicture(Image1(Index).Picture());
}

void Form1::setFrame(int imgNum) {
  if (!Image1.exists(imgNum)) return;
  const controls::Image& box = Image1(imgNum);
  const double L = box.Left(), T = box.Top(), W = box.Width(), H = box.Height();
  Line1.setX1(L - 30);
  Line1.setY1(T - 30);
  const double right = Line1.X1() + W + 45;
  Line1.setX2(right);
  Line1.setY2(T - 30);
  Line2.setX1(L - 30);
  Line2.setY1(T - 30);
  Line2.setX2(L - 30);
  Line2.setY2(T + H + 30);
  Line3.setX1(L - 30);
  Line3.setY1(T + H + 15);
  Line3.setX2(right);
  Line3.setY2(T + H + 15);
  Line4.setX1(right);
  Line4.setY1(T - 30);
  Line4.setX2(right);
  Line4.setY2(T + H + 30);
}

void Form1::showFrame(bool show) {
  for (controls::Line* line : {&Line1, &Line2, &Line3, &Line4}) line->setVisible(show);
}

QString Form1::GetAlbumName(int idx) const {
  if (idx < 1 || idx > static_cast<int>(albumNames_.size())) return {};
  return albumNames_[static_cast<std::size_t>(idx - 1)];
}

}  // namespace player
