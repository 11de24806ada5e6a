#pragma once
// The player window: the songs of the open album, the transport buttons and
// sliders, the lyrics and the personal list. It is loaded hidden at start-up
// and shown when an album is opened.

#include <memory>

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

class Form2 : public controls::Form, public PlayerWindowVariables {
 public:
  explicit Form2(Player& player);

  // The transport bar, centred at the top of the screen.
  controls::Frame Frame1{*this, "Frame1"};
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
  controls::HScrollBar scrlT{Frame1, "scrlT"};
  controls::HScrollBar scrlVOL{Frame1, "scrlVOL"};
  controls::HScrollBar scrlBAL{Frame1, "scrlBAL"};
  controls::Label Label7{Frame1, "Label7"};  // "Time:"
  controls::Label Label3{Frame1, "Label3"};  // the volume readout
  controls::Label Label9{Frame1, "Label9"};  // the balance readout
  controls::Image Image2{Frame1, "Image2"};  // the view switch
  controls::Image Image4{Frame1, "Image4"};  // view switch, normal
  controls::Image Image5{Frame1, "Image5"};  // view switch, pressed

  // What plays.
  controls::Image Image3{*this, "Image3"};  // the open album's cover
  controls::Label namLBL{*this, "namLBL"};
  controls::Label Label5{*this, "Label5"};  // "Playing Album : "
  controls::Label PlayingSong{*this, "PlayingSong"};
  controls::Label Label6{*this, "Label6"};  // "Playing Song : "
  controls::Label Label4{*this, "Label4"};

  // The song labels over their backdrop.
  controls::CommandButton Command1{*this, "Command1"};
  controls::ControlArray<controls::Label> Label1{*this, "Label1", 31};

  // The lyrics.
  controls::TextBox Text1{*this, "Text1"};

  // The personal list and its switches, with the pictures of their looks.
  controls::Frame FrameUtils{*this, "FrameUtils"};
  controls::ListBox pList{FrameUtils, "pList"};
  controls::Image Image8{FrameUtils, "Image8"};    // the personal-list button
  controls::Image Image11{FrameUtils, "Image11"};  // shuffle
  controls::Image Image13{FrameUtils, "Image13"};  // clear the list
  controls::Image Image16{FrameUtils, "Image16"};  // repeat
  controls::Image Image6{FrameUtils, "Image6"};    // personal-list button look
  controls::Image Image10{FrameUtils, "Image10"};  // shuffle on
  controls::Image Image12{FrameUtils, "Image12"};  // shuffle off
  controls::Image Image14{FrameUtils, "Image14"};  // clear look
  controls::Image Image17{FrameUtils, "Image17"};  // repeat off
  controls::Image Image18{FrameUtils, "Image18"};  // repeat on
  controls::CommandButton Command4{FrameUtils, "Command4"};

  controls::Label ttlL{*this, "ttlL"};  // the title link

  // The media control; it is never drawn, but keeps a place on the window.
  std::unique_ptr<media::MediaControl> MP1;

  platform::Timer Timer1{1500, true};     // song-end watcher
  platform::Timer Timer2{1000, false};    // elapsed-time clock
  platform::Timer Timer3{1, true};        // sliders and readouts
  platform::Timer Timer4{1500, false};    // personal-list watcher
  platform::Timer Timer5{1, false};       // wait after the first-song restart
  platform::Timer TimerClick{1000, false};

  // Switches the readout between volume and balance.
  void setView();

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void designTransport();
  void designSongs();
  void designPersonalList();

  Player& player_;
};

}  // namespace player
