#pragma once
// frmMain, the ripper window "Extract from CD": the CD drives, the tracks of
// the chosen drive's disc and their names, the MP3 quality preset, bitrate
// and header flags, and "Extract Tracks", which rips every selected track
// into the album selected in the main window, each as the album's next song
// (Form5::setNewSongName), 30 songs to an album at most. The main window's
// song list and its folder size follow every track.
//
// Form5::getFromCD disables the main window and shows this window modeless,
// owned by it; closing it enables the main window again. MP3 is the only
// format and the album's folder the only output folder: the format options,
// the folder box and its button are never shown.

#include "check_box.h"
#include "combo_box.h"
#include "command_button.h"
#include "encoder_settings.h"
#include "form.h"
#include "frame.h"
#include "label.h"
#include "list_box.h"
#include "menu.h"
#include "option_button.h"
#include "text_box.h"

class Form5;

class frmMain : public controls::Form {
 public:
  explicit frmMain(Form5& owner);

  controls::ComboBox DriveList{*this, "DriveList"};
  // Every selected line is ripped; a line's text is its song's name.
  controls::ListBox TrackList{*this, "TrackList"};
  controls::Menu mnuPopup{*this, "mnuPopup"};  // TrackList's pop-up menu
  controls::MenuItem mnuChangeName{mnuPopup, "mnuChangeName", "Rename"};
  controls::OptionButton optMP3{*this, "optMP3"};  // chosen, never shown
  controls::OptionButton optWAV{*this, "optWAV"};  // never shown
  // The MP3 settings.
  controls::Frame Frame1{*this, "Frame1"};
  controls::Label Label2{Frame1, "Label2"};  // "Quality"
  controls::ComboBox cmbQuality{Frame1, "cmbQuality"};
  controls::Label Label3{Frame1, "Label3"};  // "Bitrate"
  controls::ComboBox cmbBitrate{Frame1, "cmbBitrate"};
  controls::CheckBox chkPrivate{Frame1, "chkPrivate"};
  controls::CheckBox chkCRC{Frame1, "chkCRC"};
  controls::CheckBox chkCopyright{Frame1, "chkCopyright"};
  controls::CheckBox chkOriginal{Frame1, "chkOriginal"};
  // The album's folder, where the tracks go; never shown.
  controls::Label Label1{*this, "Label1"};
  controls::TextBox txtOutPath{*this, "txtOutPath"};
  controls::CommandButton Command1{*this, "Command1"};  // "Browse For Folder", never shown
  controls::CommandButton cmdRip{*this, "cmdRip"};      // "Extract Tracks"
  controls::CommandButton cmdQuit{*this, "cmdQuit"};    // "Cancel"

 protected:
  void Form_Load() override;
  // Refused while tracks are ripped: the window takes no input then.
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

 private:
  void Form_MouseMove(int Button, int Shift, double X, double Y);
  void DriveList_Click();
  void TrackList_KeyDown(int& KeyCode, int Shift);
  void TrackList_MouseDown(int Button, int Shift, double X, double Y);
  void mnuChangeName_Click();
  void cmdRip_Click();
  void cmdQuit_Click();

  // The encoder settings the window shows.
  ripper::EncoderSettings chosenSettings() const;
  // Rips line `line` of TrackList into the album as its next song.
  void ripLine(int line, ripper::EncoderSettings& settings);
  // Releases the drive opened last; a failure is nothing to report.
  void closeDrive();

  Form5& owner_;
  bool ripping_ = false;
};
