#pragma once
// Form5, the authoring program's main window: a borderless frame around the
// three tabs of SSTab1, moved by dragging its surface and worked through
// picture buttons, with the build panel Frame3 at the bottom.
//
// The window is split by concern. Each section below declares its controls,
// members and handlers; its handlers are wired in its own source file by the
// private connect<Section>Handlers(), which the constructor calls. The
// controls' design (places, captions, tooltips, start states) is all in
// form5.cpp, so that the window is one design.
//
// Texts are QString, as the controls hold them; the store takes UTF-8
// std::string (QString::toStdString()).
//
// Every command handler starts with the help-mode test:
//
//     if (helpShown("Press this button inorder to add a new album instance.")) return;

#include <QString>
#include <cstdint>
#include <vector>

#include "check_box.h"
#include "command_button.h"
#include "dir_list_box.h"
#include "drive_list_box.h"
#include "file_list_box.h"
#include "form.h"
#include "frame.h"
#include "frm_message.h"
#include "image.h"
#include "label.h"
#include "list_box.h"
#include "option_button.h"
#include "picture_box.h"
#include "ss_tab.h"
#include "text_box.h"

class Form5 : public controls::Form {
 public:
  Form5();
  ~Form5() override;

  // The main window most recently made and still alive (the other windows
  // of the program read and set its public members); nullptr when none is.
  static Form5* instance();

  // ======================================================================
  // Main window & help mode (form5.cpp, form5_window.cpp)
  // ======================================================================

  controls::SSTab SSTab1{*this, "SSTab1"};
  controls::Label Label4{*this, "Label4"};  // the caption of the current tab
  controls::Image ImgBtnUpLeft{*this, "ImgBtnUpLeft"};  // minimise
  controls::Image Image13{*this, "Image13"};            // next tab
  controls::Image Image14{*this, "Image14"};            // close the program
  controls::Image Image15{*this, "Image15"};            // help mode on
  controls::Image Image5{*this, "Image5"};              // exit area, no picture, above 13 and 14
  controls::Label lblFolderSize{*this, "lblFolderSize"};
  // The build panel; its buttons are in the compile & preview section.
  controls::Frame Frame3{*this, "Frame3"};
  controls::Image Image6{Frame3, "Image6"};  // the panel's grip
  // Tab 2: the web links and the version.
  controls::Label Label1{SSTab1.page(2), "Label1"};    // "Help on the web"
  controls::Label Label15{SSTab1.page(2), "Label15"};  // "Visit the website"
  controls::Label lblVersion{SSTab1.page(2), "lblVersion"};

  bool dragging = false;
  float dragStartX = 0;
  std::int32_t dragStartY = 0;
  std::int32_t moveFrameX = 0, moveFrameY = 0;
  bool infoTeller = false;  // help mode is on

  // The answers of the file picker window.
  QString path_var;              // the chosen folder, without a final "/"
  QString file_var;              // the chosen file's name; empty for "Add All" or none
  QString lastVisitedDirectory;  // the folder of the last accepted choice

  // The message window: help texts, notices, the splash and "Working....".
  frmMessage& messageWindow() { return *frmMessage_; }
  // Shows STR in the message window, modally; returns once it is gone
  // (closed by the first click when userCanCancel).
  void message(const QString& STR, bool userCanCancel);
  // In help mode: shows `text` through message() and answers true, and the
  // handler ends there. Outside help mode: false, and the handler acts.
  bool helpShown(const QString& text);
  // The busy indicator of long work: "Working...." shown modeless, pending
  // window events let run once so that it is drawn; hideWorking() ends it.
  void showWorking();
  void hideWorking();

  // Empties the project display: pictures, texts, albums and the colour.
  void cleanGui();
  // The size of the open project folder in lblFolderSize ("1,234 KB").
  void showFolderSize();
  // After a change of albums, songs, lyrics or album pictures: the project
  // must be compiled again before it is run.
  void markProjectChanged();

  // qdd.dat in the program folder, into and from listProjects and
  // listProjectsPath (form5_project_list.cpp). Both throw store::StoreError.
  void loadProjectList();
  void saveProjectList();

  // The program's version as the splash shows it: "2.9.127".
  static QString versionText();

  void Form_MouseDown(int Button, int Shift, double X, double Y);
  void Form_MouseMove(int Button, int Shift, double X, double Y);
  void Form_MouseUp(int Button, int Shift, double X, double Y);
  void Image13_MouseDown(int Button, int Shift, double X, double Y);
  void Image13_MouseUp(int Button, int Shift, double X, double Y);
  void ImgBtnUpLeft_MouseDown(int Button, int Shift, double X, double Y);
  void ImgBtnUpLeft_MouseUp(int Button, int Shift, double X, double Y);
  void Image14_MouseDown(int Button, int Shift, double X, double Y);
  void Image14_MouseUp(int Button, int Shift, double X, double Y);
  void Image15_MouseDown(int Button, int Shift, double X, double Y);
  void Image5_Click();
  void Frame3_MouseDown(int Button, int Shift, double X, double Y);
  void Frame3_MouseMove(int Button, int Shift, double X, double Y);
  void Frame3_MouseUp(int Button, int Shift, double X, double Y);
  void Label1_Click();
  void Label15_Click();

 protected:
  void Form_Load() override;
  // Closed through the window system (no close box of its own): as the exit area.
  void Form_QueryUnload(int& cancel, int unloadMode) override;

 private:
  void connectWindowHandlers();
  void openWebPage(const char* path);
  // Steps 6 to 12 of the start-up, each on its own so that the start-up can
  // go back to its recovery point or step over a failing one.
  void resetNameSlots();
  void showVersion();
  void checkForUpdate();
  void ensureHandleFolder();

  void exitProgram();

  controls::FormSlot<frmMessage> frmMessage_;

 public:
  // ======================================================================
  // Projects: picker, create, open, delete, password (form5_projects.cpp)
  // ======================================================================

  // Tab 0.
  controls::OptionButton Option1{SSTab1.page(0), "Option1"};
  controls::OptionButton Option2{SSTab1.page(0), "Option2"};
  controls::Label Label16{SSTab1.page(0), "Label16"};
  controls::DriveListBox Drive1{SSTab1.page(0), "Drive1"};
  controls::DirListBox Dir1{SSTab1.page(0), "Dir1"};
  controls::TextBox txtProjectName{SSTab1.page(0), "txtProjectName"};
  controls::CommandButton cmdBuildNewProj{SSTab1.page(0), "cmdBuildNewProj"};
  controls::ListBox listProjects{SSTab1.page(0), "listProjects"};
  controls::ListBox listProjectsPath{SSTab1.page(0), "listProjectsPath"};  // never shown
  controls::CommandButton cmdOpenExistProj{SSTab1.page(0), "cmdOpenExistProj"};
  controls::CommandButton Command1{SSTab1.page(0), "Command1"};
  // Tab 2.
  controls::CheckBox Check1{SSTab1.page(2), "Check1"};

  QString sDirectory;     // the open project's folder; empty while none is open
  QString workDirectory;  // its mirror folder under Handle
  QString ProjectPassword;
  bool isPasswordCorrect = false;
  bool nowLoading = false;  // the program itself is changing Check1
  QString Text1_;           // the disc icon's file name
  QString text4_;           // the intro picture's member name
  QString Text_imgTop_;     // the title picture's member name
  QString Text_ImgBottom;   // the bottom picture's member name

 private:
  void connectProjectHandlers();

 public:
  // ======================================================================
  // Project texts, CD label & colour (form5_texts.cpp)
  // ======================================================================

  // Tab 2.
  controls::Label Label5{SSTab1.page(2), "Label5"};  // "Project name:" and 33 blanks
  controls::Label lblProjectName{SSTab1.page(2), "lblProjectName"};
  controls::Label Label3{SSTab1.page(2), "Label3"};  // "CD Label :"
  controls::Label lblCdLabl{SSTab1.page(2), "lblCdLabl"};
  controls::Label lblProjectTitle{SSTab1.page(2), "lblProjectTitle"};
  controls::Label lblProjectSubTitle{SSTab1.page(2), "lblProjectSubTitle"};
  controls::Label Label13{SSTab1.page(2), "Label13"};  // the information text
  // The colour picker: the strip shows the colour, the thumb Label19 runs
  // along its top, the channel labels lie below it.
  controls::Frame Frame5{SSTab1.page(2), "Frame5"};
  controls::Label Label19{Frame5, "Label19"};
  controls::Label Label14{Frame5, "Label14"};  // red
  controls::Label Label17{Frame5, "Label17"};  // green
  controls::Label Label18{Frame5, "Label18"};  // blue

  int redRGB = 0, greenRGB = 0, blueRGB = 0;
  int RGB_SET = 1;    // the channel the slider sets: 1 red, 2 green, 3 blue
  QString largeText;  // the text editor window's answer

 private:
  void connectTextHandlers();

 public:
  // ======================================================================
  // Albums & album pictures (form5_albums.cpp)
  // ======================================================================

  // Tab 1.
  controls::Label Label8{SSTab1.page(1), "Label8"};  // the heading of the three columns
  controls::ListBox List1{SSTab1.page(1), "List1"};
  controls::Image imgPreview2{SSTab1.page(1), "imgPreview2"};
  controls::CommandButton Command6{SSTab1.page(1), "Command6"};    // move up
  controls::CommandButton Command2{SSTab1.page(1), "Command2"};    // add
  controls::CommandButton Command24{SSTab1.page(1), "Command24"};  // move down
  controls::CommandButton Command22{SSTab1.page(1), "Command22"};  // remove
  controls::CommandButton Command19{SSTab1.page(1), "Command19"};  // rename
  controls::CommandButton Command20{SSTab1.page(1), "Command20"};  // the album's picture
  controls::DirListBox Dir4{SSTab1.page(1), "Dir4"};               // never shown

 private:
  void connectAlbumHandlers();

 public:
  // ======================================================================
  // Disc icon (form5_icon.cpp)
  // ======================================================================

  // Tab 2.
  controls::PictureBox Picture1{SSTab1.page(2), "Picture1"};
  controls::CommandButton Command9{SSTab1.page(2), "Command9"};  // "Clear"

 private:
  void connectIconHandlers();

 public:
  // ======================================================================
  // Command states (form5_command_states.cpp)
  // ======================================================================

 private:
  void connectCommandStateHandlers();

 public:
  // ======================================================================
  // Songs & lyrics (form5_songs.cpp)
  // ======================================================================

  // Tab 1.
  controls::FileListBox File4{SSTab1.page(1), "File4"};
  controls::CommandButton Command7{SSTab1.page(1), "Command7"};    // add songs
  controls::CommandButton Command8{SSTab1.page(1), "Command8"};    // move up
  controls::CommandButton Command13{SSTab1.page(1), "Command13"};  // delete
  controls::CommandButton Command11{SSTab1.page(1), "Command11"};  // move down
  controls::CommandButton Command15{SSTab1.page(1), "Command15"};  // lyrics
  controls::CommandButton Command14{SSTab1.page(1), "Command14"};  // rename
  controls::Frame Frame4{SSTab1.page(1), "Frame4"};
  // Their help texts (mouse down) are wired with the main window's handlers.
  controls::OptionButton optFrom1{Frame4, "optFrom1"};  // from files, chosen at start
  controls::OptionButton optFrom2{Frame4, "optFrom2"};  // ripped from a CD

 private:
  void connectSongHandlers();

 public:
  // ======================================================================
  // Project pictures (form5_pictures.cpp)
  // ======================================================================

  // Tab 2. Each caption lies under its picture box, showing while the box
  // has no picture.
  controls::Label Label7{SSTab1.page(2), "Label7"};
  controls::Image Image2{SSTab1.page(2), "Image2"};  // title picture
  controls::CommandButton Command10{SSTab1.page(2), "Command10"};
  controls::Label Label9{SSTab1.page(2), "Label9"};
  controls::Image Image3{SSTab1.page(2), "Image3"};  // bottom picture
  controls::CommandButton Command12{SSTab1.page(2), "Command12"};
  controls::Label Label10{SSTab1.page(2), "Label10"};
  controls::Image Image4{SSTab1.page(2), "Image4"};  // intro picture
  controls::CommandButton Command16{SSTab1.page(2), "Command16"};

  // dop.qd's member names by role: 0 title, 1 bottom, 2 intro.
  std::vector<QString> picNames = std::vector<QString>(3);

 private:
  void connectPictureHandlers();

 public:
  // ======================================================================
  // Compile & preview (form5_compile.cpp)
  // ======================================================================

  // On the build panel Frame3.
  controls::CommandButton cmdPreview{Frame3, "cmdPreview"};  // "Run"
  controls::CommandButton Command5{Frame3, "Command5"};      // "Browse"
  controls::CommandButton Command27{Frame3, "Command27"};    // "Compile"
  // The developer's button "rytrv covers", never shown.
  controls::CommandButton Command23{*this, "Command23"};

  // cvrd.qd's member names: slot NN - 1 for album NN.
  std::vector<QString> coverNames = std::vector<QString>(30);

 private:
  void connectCompileHandlers();

 public:
  // ======================================================================
  // Sample project (form5_sample.cpp)
  // ======================================================================

  // The ready-made collection of the first start (the start-up passes
  // "Demo Collection").
  void buildSampleProject(const QString& name);

 private:
  void connectSampleHandlers();
};
