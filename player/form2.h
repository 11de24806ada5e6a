#pragma once
// The player window: the songs of the open album, the transport buttons and
// sliders, the lyrics and the personal list. It is loaded hidden at start-up
// and shown when an album is opened.

#include <memory>
#include <optional>

#include "command_button.h"
#include "control_array.h"
#include "form.h"
#include "frame.h"
#include "hscroll_bar.h"
#include "image.h"
#include "label.h"
#include "list_box.h"
#include "media_control.h"
#include "player_state.h"
#include "text_box.h"
#include "timing/timer.h"

namespace player {

class Player;

// Song labels of the player window, and so the most songs an album shows.
inline constexpr int kSongLabels = 31;

// The song labels' text colours: a song at rest, the selected song, and the
// song that plays (laid over the selection).
inline constexpr controls::OleColor kSongNormalColour = 0xFFC0C0;    // pale blue
inline constexpr controls::OleColor kSongSelectedColour = 0xFFFF;    // yellow
inline constexpr controls::OleColor kSongPlayingColour = 0x80C0FF;   // light orange

class Form2 : public controls::Form, public PlayerWindowVariables {
 public:
  explicit Form2(Player& player);

  // The panel that holds the whole window, centred at the top of the screen
  // where the browser's panel lies.
  controls::Frame Frame1{*this, "Frame1"};

  // What is open and what plays.
  controls::Label namLBL{Frame1, "namLBL"};  // the title line
  controls::Image Image3{Frame1, "Image3"};  // the open album's picture; a click goes back
  controls::Label Label5{Frame1, "Label5"};  // "Playing Album : "
  controls::Label PlayingSong{Frame1, "PlayingSong"};
  controls::Label Label6{Frame1, "Label6"};  // "Playing Song : "
  controls::Label Label4{Frame1, "Label4"};

  // The transport buttons.
  controls::Image imgRewB{Frame1, "imgRewB"};
  controls::Image imgPlayB{Frame1, "imgPlayB"};
  controls::Image imgPauseB{Frame1, "imgPauseB"};
  controls::Image imgStopB{Frame1, "imgStopB"};
  controls::Image imgFfB{Frame1, "imgFfB"};
  // The three looks of each transport button: 1 normal, 2 lit, 3 pressed.
  controls::Image ip1{Frame1, "ip1"}, ip2{Frame1, "ip2"}, ip3{Frame1, "ip3"};
  controls::Image ips1{Frame1, "ips1"}, ips2{Frame1, "ips2"}, ips3{Frame1, "ips3"};
  controls::Image is1{Frame1, "is1"}, is2{Frame1, "is2"}, is3{Frame1, "is3"};
  controls::Image ir1{Frame1, "ir1"}, ir2{Frame1, "ir2"}, ir3{Frame1, "ir3"};
  controls::Image if1{Frame1, "if1"}, if2{Frame1, "if2"}, if3{Frame1, "if3"};

  // The clock and the readout; pressed, any of them switches the readout.
  controls::Label Label7{Frame1, "Label7"};   // "Time:"
  controls::Label lblMIN{Frame1, "lblMIN"};   // elapsed minutes
  controls::Label Label10{Frame1, "Label10"}; // between minutes and seconds
  controls::Label lblSEC{Frame1, "lblSEC"};   // elapsed seconds
  controls::Label Label3{Frame1, "Label3"};   // the volume readout
  controls::Label Label9{Frame1, "Label9"};   // the balance readout
  controls::Image Image2{Frame1, "Image2"};   // the view switch
  controls::Image Image4{Frame1, "Image4"};   // view switch, normal
  controls::Image Image5{Frame1, "Image5"};   // view switch, pressed

  // The sliders and their step buttons.
  controls::HScrollBar scrlT{Frame1, "scrlT"};
  controls::HScrollBar scrlVOL{Frame1, "scrlVOL"};
  controls::HScrollBar scrlBAL{Frame1, "scrlBAL"};
  controls::CommandButton Command7{Frame1, "Command7"};    // quietest
  controls::CommandButton Command8{Frame1, "Command8"};    // loudest
  controls::CommandButton Command9{Frame1, "Command9"};    // balance left
  controls::CommandButton Command10{Frame1, "Command10"};  // balance centre; takes the lyrics box's focus
  controls::CommandButton Command11{Frame1, "Command11"};  // balance right
  controls::CommandButton Command12{Frame1, "Command12"};  // back to the song's start
  controls::CommandButton Command13{Frame1, "Command13"};  // forward a tenth of the song

  // The song labels.
  controls::ControlArray<controls::Label> Label1{Frame1, "Label1", kSongLabels};

  // The lyrics over their backdrop.
  controls::CommandButton Command1{Frame1, "Command1"};
  controls::TextBox Text1{Frame1, "Text1"};

  // The personal list and its buttons, with the pictures of their looks.
  controls::Frame FrameUtils{Frame1, "FrameUtils"};
  controls::CommandButton Command4{FrameUtils, "Command4"};  // the list's backdrop
  controls::ListBox pList{FrameUtils, "pList"};
  controls::Image Image8{FrameUtils, "Image8"};    // the personal-list mode button
  controls::Image Image6{FrameUtils, "Image6"};    // mode off
  controls::Image Image7{FrameUtils, "Image7"};    // mode on
  controls::Image Image9{FrameUtils, "Image9"};    // shown while the mode is on
  controls::Image Image11{FrameUtils, "Image11"};  // shuffle
  controls::Image Image10{FrameUtils, "Image10"};  // shuffle on
  controls::Image Image12{FrameUtils, "Image12"};  // shuffle off
  controls::Image Image16{FrameUtils, "Image16"};  // repeat
  controls::Image Image17{FrameUtils, "Image17"};  // repeat off
  controls::Image Image18{FrameUtils, "Image18"};  // repeat on
  controls::Image Image19{FrameUtils, "Image19"};  // remove the selected entry
  controls::Image Image13{FrameUtils, "Image13"};  // clear the list
  controls::Image Image14{FrameUtils, "Image14"};  // clear, released
  controls::Image Image15{FrameUtils, "Image15"};  // clear, pressed

  controls::Label ttlL{Frame1, "ttlL"};  // the title link

  // The personal list's entries ("01 - Rock\\03 - Sunday.mp3", relative to
  // the collection root, at most 99) in the order they were added, beside
  // the names pList shows; and the entries heard in the current pass.
  controls::ListBox PrivateList{*this, "PrivateList"};
  controls::ListBox BeenHeardList{*this, "BeenHeardList"};

  // The media control; it is never drawn, but keeps a place on the window.
  std::unique_ptr<media::MediaControl> MP1;

  platform::Timer Timer1{1500, true};     // song-end watcher
  platform::Timer Timer2{1000, false};    // elapsed-time clock
  platform::Timer Timer3{1, true};        // sliders and readouts
  platform::Timer Timer4{1500, false};    // personal-list watcher
  platform::Timer Timer5{1, false};       // wait after the first-song restart
  platform::Timer TimerClick{1000, false};

  // The play engine's song indices: the song that plays, the selected
  // label, and the index last painted. Only this window changes them.
  int playingSngIdx = 0;
  int selectedSngIdx = 0;
  int paintedSngIdx = 0;

  // The play command: plays the selected song (SongName) of the album
  // shown, or resumes it when it is the one paused. Album play is on after it.
  void Command1_Click();
  // The play command, then the clock from 00:00; album play is on.
  void PlaySong();
  // Every transport button but number Button (1 play, 2 stop, 3 previous,
  // 4 next, 5 pause) takes its rest look.
  void setOtherButtons(int Button);
  // The elapsed-time clock back to 00:00, and running when val is True.
  void setTimer(bool val);
  // Gives the position slider the focus; what every step button does last.
  void setSmallButtons(bool show);
  // Fills the now-playing labels of both windows from what plays (cap
  // True), or empties them and hides the two fixed captions (cap False).
  void setCurPlyLbl(bool cap);

  // Switches the readout between volume and balance.
  void setView();
  // Fits the lyrics box and the list under it to a small screen, moves the
  // song labels left and narrows the sliders; every call does it again.
  void reArangeFormSize();
  // Whether entry idx of the personal list has been heard in this pass.
  bool isExist(int idx) const;
  // Colours the song labels for the selection Index and the song that
  // plays; selects that song (SongName) unless the personal list is on.
  void painter(int Index);
  // Shows the lyrics of song label serial of the current album.
  void getLyrics(int serial);
  // Shows the lyrics of song serial (0-based) of album number `album` (two digits).
  void showLyrics(const QString& album, int serial);
  // The lyrics stored under album and song (two-digit texts); "" when the
  // database has none or cannot be read.
  QString getLyricsFromFile(const QString& album, const QString& song);

 protected:
  void Form_Load() override;
  // A close from outside the program goes back to the browser instead.
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

 private:
  void design();
  void designHeading();
  void designTransport();
  void designSliders();
  void designSongs();
  void designPersonalList();
  void wireSongsAndLyrics();

  void wirePlayback();
  void wireSliders();
  void wirePersonalList();
  void wireViews();

  // The transport buttons.
  void imgPlayB_MouseDown();
  void imgPlayB_MouseUp();
  void imgPauseB_MouseDown();
  void imgPauseB_MouseUp();
  void imgPauseB_MouseMove();
  void imgStopB_MouseDown();
  void imgStopB_MouseUp();
  void imgRewB_MouseDown();
  void imgRewB_MouseUp();
  void imgFfB_MouseDown();
  void imgFfB_MouseUp();
  void Frame1_MouseMove(double X, double Y);
  // Next (+1) or previous (-1) song, as the two buttons move.
  void stepSong(int step);

  // The play engine's moves.
  void refillPlayList();
  // The path of `song` (a name without extension) of the album folder
  // `album`, the file found without regard to case.
  QString songPath(const QString& album, const QString& song) const;
  // Album play moves `step` songs on in the play list and starts that song.
  void moveAlbumPlay(int step);
  // A song has just started from its beginning (or resumed, when
  // fromItsStart is false): the kept state, the looks and the clock follow.
  void songStarted(bool fromItsStart);
  void playNextAlbum();
  void endAlbumPlay();
  void restartFirstSong();

  // The timers.
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void Timer5_Timer();

  // The sliders and their step buttons.
  void scrlT_Scroll();
  void scrlVOL_Scroll();
  void scrlBAL_Scroll();
  void showReadout(controls::Label& shown, controls::Label& hidden);
  void stepVolume(int volume);
  void stepBalance(int balance);
  void Command12_Click();
  void Command13_Click();

  // The personal list.
  enum class EntryStart { ByDrop, ByWatcher };
  void Image8_MouseDown();
  void Image8_MouseUp();
  void Image8_DragDrop(controls::Control& Source, double X, double Y);
  void Image19_Click();
  void Image13_MouseDown();
  void Image13_MouseUp();
  void Timer4_Timer();
  void setSongsDraggable(bool draggable);
  void stopAsByStopButton();
  void leavePersonalList();
  void endPersonalList();
  void startEntry(int i, EntryStart how);
  bool drawUnheardEntry();

  // The views.
  void Image11_MouseDown();
  void Image16_MouseDown();

  void Label1_MouseDown(int Index, int Button);
  void Label1_MouseUp();
  void Label1_DblClick(int Index);
  void Text1_Change();
  void Text1_GotFocus();
  void Text1_MouseDown();
  void Image3_Click();
  void ttlL_Click();

  Player& player_;
  // What the refresh last wrote, so that it writes only what changed.
  std::optional<int> shownVolume_;
  std::optional<int> shownBalance_;
};

}  // namespace player
