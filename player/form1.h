#pragma once
// The album browser, the player's start-up window: its load handler runs the
// whole start-up (collection root, packed pictures, project data, intro,
// installed marker, player window, album boxes and their animation).

#include <array>
#include <string>

#include "command_button.h"
#include "control_array.h"
#include "dir_list_box.h"
#include "file_list_box.h"
#include "form.h"
#include "frame.h"
#include "image.h"
#include "label.h"
#include "line.h"
#include "list_box.h"
#include "player_state.h"
#include "text_box.h"
#include "timing/timer.h"
#include "unpacked_pictures.h"

namespace player {

class Player;

// What File1 lists: the song files, without regard to case.
inline constexpr const char* kSongFilePattern = "*.mp3;*.hts";

class Form1 : public controls::Form, public BrowserVariables {
 public:
  explicit Form1(Player& player);

  // The panel that holds the whole browser, centred on the screen.
  controls::Frame Frame1{*this, "Frame1"};

  controls::ControlArray<controls::Image> Image1{Frame1, "Image1"};  // the album boxes
  controls::Image mainIMG{Frame1, "mainIMG"};                        // the selected album, large
  controls::Image ImageTorvel{Frame1, "ImageTorvel"};                // the collection's logo
  controls::Image Image10{Frame1, "Image10"};                        // the bottom picture

  controls::Label Label2{Frame1, "Label2"};  // the title's shadow
  controls::Label Label1{Frame1, "Label1"};  // the title
  controls::Label Label3{Frame1, "Label3"};  // the subtitle
  controls::Label Label9{Frame1, "Label9"};  // the heading over the boxes
  controls::Label Label8{Frame1, "Label8"};  // the selected album's name
  controls::Label Label6{Frame1, "Label6"};  // now playing: album number
  controls::Label Label5{Frame1, "Label5"};  // now playing: album
  controls::Label Label7{Frame1, "Label7"};  // now playing: song number
  controls::Label Label4{Frame1, "Label4"};  // now playing: song
  controls::Label LabelShadow{Frame1, "LabelShadow"};
  controls::Label ttlL{Frame1, "ttlL"};  // the title link

  // Buttons and the hidden pictures of their looks.
  controls::Image imgPlyAll{Frame1, "imgPlyAll"};
  controls::Image Image9{Frame1, "Image9"};  // information
  controls::Image minIMG{Frame1, "minIMG"};
  controls::Image Image2{Frame1, "Image2"};  // exit
  controls::Image Image3{Frame1, "Image3"};  // information, open
  controls::Image Image4{Frame1, "Image4"};  // play all, released
  controls::Image Image5{Frame1, "Image5"};  // play all, pressed
  controls::Image Image6{Frame1, "Image6"};  // minimise, released
  controls::Image Image7{Frame1, "Image7"};  // minimise, pressed
  controls::Image Image8{Frame1, "Image8"};  // information, closed

  // The information text over its backdrop.
  controls::CommandButton Command2{Frame1, "Command2"};
  controls::TextBox Text1{Frame1, "Text1"};

  // The selection frame around the box of the album that plays.
  controls::Line Line1{Frame1, "Line1"};
  controls::Line Line2{Frame1, "Line2"};
  controls::Line Line3{Frame1, "Line3"};
  controls::Line Line4{Frame1, "Line4"};

  // Kept invisible by the design: the only callers of the other fit modes.
  controls::CommandButton Command1{Frame1, "Command1"};
  controls::CommandButton Command3{Frame1, "Command3"};
  controls::CommandButton Command4{Frame1, "Command4"};

  // Listers, never shown.
  controls::DirListBox Dir1{*this, "Dir1"};
  controls::FileListBox File1{*this, "File1"};
  controls::ListBox List1{*this, "List1"};

  platform::Timer BoxesTimer{100, false};

  // Album boxes, covers, fit, animation and selection frame.
  void createDynamicImages(int numOfLibraries);
  void loadPicToCover(int coversIdx);
  void arrangeBoxes(int mode, bool checkFit);
  void makeAllVisible(bool doit);
  void moveLogo();
  void BoxesTimer_Timer();
  void setBorder(int Index);
  void setFrame(int imgNum);
  void showFrame(bool show);
  QString GetAlbumName(int idx) const;

  // Opens the current album (theAlbum) in the player window: its songs on
  // the labels, its picture and title line, the playing or the first song
  // selected with its lyrics. changeWindow brings the player window up.
  void sort(bool changeWindow);
  // Captions the player window's song labels from File1 and shows the
  // labels in use, in the normal colour; the others are hidden and disabled.
  void SongsNames();
  // Points File1 at the album folder `folder` of the collection and captions
  // the song labels from it.
  void showSongsOf(const QString& folder);
  // The album folder File1 lists: the album whose songs the labels show.
  QString songsFolder() const;

  // The title, the album and the song that album play plays, in display
  // casing; the browser's caption, and the placeholder's, while it plays.
  QString albumPlayCaption() const;
  void showAlbumPlayInCaptions();

  // Boxes revealed so far by the animation.
  int revealedBoxes() const { return revealedBoxes_; }

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void design();
  void wireCommands();

  // The browser's commands.
  void Image1_Click(int Index);
  void Image1_DblClick(int Index);
  void mainIMG_Click();
  void imgPlyAll_MouseDown();
  void imgPlyAll_MouseUp();
  void minIMG_MouseDown();
  void minIMG_MouseUp();
  void Image9_MouseDown();
  void Image2_Click();
  void ttlL_Click();
  void selectAlbum(int Index);
  QString minimisedCaption();
  void designButtons();
  void designTexts();
  void startUp();
  void placeLogo();
  bool installedMarkerPresent();
  int listAlbumFolders();
  void setPlayerWindowDefaults();
  void applyInterfaceColour();

  // The collection readers.
  void unpackPictures();
  bool readProjectData();
  void unpackCovers();

  // The interface the animation hides and then shows, in its order.
  std::vector<controls::Control*> interfaceControls();
  void finishAnimation();

  Player& player_;
  std::array<QString, 31> albumNames_;
  int albumCount_ = 0;
  int revealedBoxes_ = 0;
  bool revealing_ = false;
  UnpackedPictures pictures_;
  UnpackedPictures covers_;
};

}  // namespace player
