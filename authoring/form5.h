#pragma once
// Form5, the authoring program's main window: a borderless frame around the
// three tabs of SSTab1, moved by dragging its surface and worked through
// picture buttons, with the build panel Frame3 at the bottom.
//
// The window is split by concern. Each section below declares its controls,
// members and handlers; a section with handlers wires them in its own source
// file by the private connect<Section>Handlers(), which the constructor
// calls (the command states and the sample project have none). The
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
#include <string>
#include <vector>

#include "check_box.h"
#include "command_button.h"
#include "dialog.h"
#include "dir_list_box.h"
#include "drive_list_box.h"
#include "file_io.h"
#include "file_list_box.h"
#include "form.h"
#include "frame.h"
#include "frm_main.h"
#include "frm_message.h"
#include "image.h"
#include "label.h"
#include "list_box.h"
#include "option_button.h"
#include "picture_box.h"
#include "project_list.h"
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

  // qdd.dat in the program folder, behind listProjects and listProjectsPath
  // (form5_project_list.cpp). loadProjectList() empties the boxes and fills
  // them from the file; throws store::StoreError. Create, delete and the
  // sample project change the file as it stands, under the lock that every
  // program on this folder takes (project_changes.h), so that none of them
  // loses the projects of another; the boxes then show the whole list the
  // file holds, the selected entry still selected while it is listed.
  void loadProjectList();
  // The entry appended to the list as it stands, and shown; throws
  // store::StoreError, and the file and the boxes stay as they were then.
  void addToProjectList(const QString& name, const QString& folder);

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
  // The boxes take `entries`: entries that went are taken out and new ones
  // put in at their places, so the selected entry keeps its selection.
  void showProjectList(const std::vector<store::ProjectListEntry>& entries);
  // The list as the file holds it now; throws store::StoreError when no
  // change could be made to it (see store::readWholeProjectList()).
  std::vector<store::ProjectListEntry> projectListNow() const;
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

  void Option1_Click();  // new-project mode
  void Option2_Click();  // open mode
  void listProjects_Click();
  void listProjects_DblClick();
  void listProjects_MouseDown(int Button, int Shift, double X, double Y);
  void Drive1_Change();
  void Dir1_MouseDown(int Button, int Shift, double X, double Y);
  void txtProjectName_KeyDown(int& KeyCode, int Shift);
  void txtProjectName_MouseDown(int Button, int Shift, double X, double Y);
  void cmdBuildNewProj_Click();
  // Creates the project `name` in Dir1's folder and makes it the open one.
  void buildNewProject(const QString& name);
  void cmdOpenExistProj_Click();
  void Command1_Click();  // delete
  void Check1_Click();  // the password on or off

  // dat.qd of the open project (form5_project_data.cpp). The writer takes
  // the password, colour, picture names and texts from the window and throws
  // store::StoreError (nothing is written then: a text the file cannot hold,
  // no project); the reader fills the window and asks for the password,
  // leaving isPasswordCorrect false when it is refused.
  void saveProjectData();
  void loadProjectData();

  // Every command that changes the open project asks this first: true when
  // a project is open for editing; otherwise it shows "First create or open
  // a project." and answers false (no project, a refused password, a create
  // that failed half-way).
  bool projectEditable();
  // The same, except that without any project it shows `noProjectMessage`
  // titled "Quendrel." instead.
  bool projectEditable(const QString& noProjectMessage);

 private:
  void connectProjectHandlers();
  // projectEditable() without the message.
  bool editingAllowed() const;
  // The first of the new-project name rules `name` breaks, shown; false
  // when it breaks none.
  bool projectNameRefused(const QString& name, const QString& projectFolder);
  // A project of this name is listed, in the picker or in the file as it
  // stands; throws store::StoreError when the file could take no new entry.
  bool projectListed(const QString& name) const;
  // The launcher, the player and the support files copied into sDirectory;
  // throws store::StoreError.
  void copyProjectTemplates(const QString& name);
  // Gives up a create that failed half-way: no project is open afterwards.
  void forgetHalfMadeProject();
  // Check1 set by the program, without running the password command.
  void setCheck1Quietly(int value);
  // saveProjectData(), its failure shown; true when the file was written.
  bool projectDataSaved();

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

  void lblProjectTitle_Click();
  void lblProjectSubTitle_Click();
  void Label13_Click();  // the information text
  void lblCdLabl_Click();
  void lblProjectName_Click();
  void Label14_Click();  // the slider sets red
  void Label17_Click();  // green
  void Label18_Click();  // blue
  void Label19_MouseDown(int Button, int Shift, double X, double Y);
  void Label19_MouseMove(int Button, int Shift, double X, double Y);
  void Label19_MouseUp(int Button, int Shift, double X, double Y);
  void Frame5_MouseDown(int Button, int Shift, double X, double Y);

  // The text editor window frmEditTxt, modal, with `text` in its box and
  // `caption` as its title; largeText is set to `text` first, so that it
  // holds the edited text after OK and `text` after any other close.
  void showTextEditor(const QString& text, const QString& caption);

 private:
  void connectTextHandlers();
  // The title and the subtitle ask alike.
  void askProjectText(controls::Label& label, const QString& helpText, const QString& prompt);
  void selectChannel(int channel, const QString& helpText);

 public:
  // ======================================================================
  // Albums & album pictures (form5_albums.cpp, form5_album_pictures.cpp;
  // the file picker in dialog.h)
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

  // The file picker, loaded on first use: dialog().showDialog("*.ico"), or
  // its File1 and Dir1 used unshown as a lister.
  Dialog& dialog() { return *dialog_; }
  // The names that File1 of the picker lists in `folder` for `pattern`; the
  // list gets its own folder and pattern back afterwards, so that the next
  // picker does not open on the folder listed here. Throws store::StoreError
  // when the folder cannot be listed.
  QStringList listWithPicker(const QString& folder, const QString& pattern);

  void Command2_Click();   // add
  void Command19_Click();  // rename
  void Command6_Click();   // move up
  void Command24_Click();  // move down
  void Command22_Click();  // remove
  void List1_Click();
  // No album is selected: the song list shows nothing and its commands are off.
  void showNoSongs();
  void List1_DblClick();
  void List1_MouseDown(int Button, int Shift, double X, double Y);
  void imgPreview2_Click();
  void Command20_Click();
  // Deletes the picture files of the album folder `alnumName` of the mirror;
  // throws store::StoreError.
  void deleteAllCovers(const QString& alnumName);

 private:
  void connectAlbumHandlers();
  // Moves the selected album one place down (+1) or up (-1).
  void moveAlbum(int step);
  // The selected album's picture in imgPreview2, cleared when it has none.
  void showAlbumPicture();

  controls::FormSlot<Dialog> dialog_{[this] { return std::make_unique<Dialog>(*this); }};

 public:
  // ======================================================================
  // Disc icon (form5_icon.cpp)
  // ======================================================================

  // Tab 2.
  controls::PictureBox Picture1{SSTab1.page(2), "Picture1"};
  controls::CommandButton Command9{SSTab1.page(2), "Command9"};  // "Clear"

  void Picture1_Click();  // choose the icon
  void Command9_Click();  // clear it

 private:
  void connectIconHandlers();

 public:
  // ======================================================================
  // Command states (form5_command_states.cpp)
  // ======================================================================

  // After a project was created or opened (true): the project's commands on
  // or off, every album and song selection command and the preview off.
  void EnableButtons(bool state);
  // The album commands from List1's selection (after an album was added or
  // removed).
  void sortButtons();
  // The song commands from File4's selection (after every song command).
  void sortRightButtons();
  // The states a new album selection sets (List1_Click, once it has shown
  // the album's songs and picture).
  void albumSelectionStates();

  // ======================================================================
  // Songs & lyrics (form5_songs.cpp, form5_lyrics.cpp)
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

  void Command7_Click();   // add
  void Command13_Click();  // delete
  void Command14_Click();  // rename
  void Command11_Click();  // move down
  void Command8_Click();   // move up
  void Command15_Click();  // lyrics
  void File4_MouseDown(int Button, int Shift, double X, double Y);
  void File4_DblClick();  // edits the selected song's lyrics
  // Hands the album over to the CD ripper (form5_cd_ripper.cpp): the main
  // window is disabled and the ripper window shown, modeless and owned by
  // it, until the ripper closes. `existing` is not used.
  void getFromCD(int existing);
  // The file name, without ".mp3", of the album's next song called `name`:
  // the number after the songs File4 lists, two digits, " - " and `name`.
  QString setNewSongName(const QString& name) const;
  // The ripper window while it is open; nullptr otherwise.
  frmMain* ripperWindow() const { return frmMain_.ifLoaded(); }

 private:
  void connectSongHandlers();
  // Moves the selected song one place down (+1) or up (-1).
  void moveSong(int step);
  // Copies the picker's folder (file_var empty) or file into `album`.
  void addSongFolder(const QString& album, int existing);
  void addSongFile(const QString& album, int existing);

  controls::FormSlot<frmMain> frmMain_{[this] { return std::make_unique<frmMain>(*this); }};

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

  void Image2_Click();    // choose the title picture
  void Image3_Click();    // the bottom picture
  void Image4_Click();    // the intro picture
  void Command10_Click();  // clear the title picture
  void Command12_Click();  // the bottom picture
  void Command16_Click();  // the intro picture

  // picNames from the project's dop.qd, each member by its role's prefix,
  // the members unpacked into the mirror; all empty without a dop.qd.
  // Throws store::StoreError, and picNames then stays as it was.
  void rebuildPictureSlots();

 private:
  void connectPictureHandlers();
  void choosePicture(int role);
  void clearPicture(int role);
  // The end of a picture command, however it went: no loose copy left in
  // the mirror.
  void removeLoosePictures();

 public:
  // ======================================================================
  // Compile & preview (form5_compile.cpp)
  // ======================================================================

  // On the build panel Frame3.
  controls::CommandButton cmdPreview{Frame3, "cmdPreview"};  // "Run"
  controls::CommandButton Command5{Frame3, "Command5"};      // "Browse"
  controls::CommandButton Command27{Frame3, "Command27"};    // "Compile"
  // The developer's buttons, never shown: "rytrv covers" unpacks cvrd.qd
  // into the mirror, Command26 shows every record of ldat.qd.
  controls::CommandButton Command23{*this, "Command23"};
  controls::CommandButton Command26{*this, "Command26"};

  // cvrd.qd's member names: slot NN - 1 for album NN.
  std::vector<QString> coverNames = std::vector<QString>(30);

  void Command27_Click();   // compile
  void cmdPreview_Click();  // run
  void Command5_Click();    // browse
  void Command23_Click();
  void Command26_Click();
  // cvrd.qd's members from the album pictures in the mirror's folders of
  // `albums` (folders the compile has read already), written into `pack`,
  // which the caller commits; coverNames names them. Throws
  // store::StoreError.
  void buildCoversFile(const std::vector<std::string>& albums, store::AtomicFileWriter& pack);
  // Every key and text of ldat.qd, each in a message box.
  void showLyricsDb();

 private:
  void connectCompileHandlers();

 public:
  // ======================================================================
  // Sample project (form5_sample.cpp)
  // ======================================================================

  // The ready-made collection of the first start (the start-up passes
  // "Demo Collection"), built in the program folder from the sample data
  // files beside the program and added to the project list, not opened. It
  // is made whole or not at all: a failure is shown in one "Error" box and
  // leaves nothing of the sample.
  void buildSampleProject(const QString& name);
  // A start builds the sample when there is no Handle folder (the first
  // start) or no project list (a first start whose sample failed).
  bool sampleProjectWanted() const;

 private:
  // The sample's albums, files and lyrics in sDirectory and workDirectory.
  void buildSampleFiles(const QString& name);
};
