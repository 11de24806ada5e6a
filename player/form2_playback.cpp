// The play engine: the play command, the transport buttons, and the song-end
// watcher that moves album play from song to song and from album to album.
#include "display_names.h"
#include "form1.h"
#include "form2.h"
#include "player.h"
#include "system/file_services.h"
#include "window_timer.h"

namespace player {
namespace {

using media::PlayState;

// A picture button shows a look; a look already shown is left alone, so
// that pointer moves over the window repaint nothing.
void showLook(controls::Image& button, const controls::Image& look) {
  if (!(button.Picture() == look.Picture())) button.setPicture(look.Picture());
}

bool inside(const controls::Control& c, double x, double y) {
  return x >= c.Left() && x < c.Left() + c.Width() && y >= c.Top() && y < c.Top() + c.Height();
}

}  // namespace

void Form2::wirePlayback() {
  Command1.Click = [this] { Command1_Click(); };
  imgPlayB.MouseDown = [this](int, int, double, double) { imgPlayB_MouseDown(); };
  imgPlayB.MouseUp = [this](int, int, double, double) { imgPlayB_MouseUp(); };
  imgPauseB.MouseDown = [this](int, int, double, double) { imgPauseB_MouseDown(); };
  imgPauseB.MouseUp = [this](int, int, double, double) { imgPauseB_MouseUp(); };
  imgPauseB.MouseMove = [this](int, int, double, double) { imgPauseB_MouseMove(); };
  imgStopB.MouseDown = [this](int, int, double, double) { imgStopB_MouseDown(); };
  imgStopB.MouseUp = [this](int, int, double, double) { imgStopB_MouseUp(); };
  imgRewB.MouseDown = [this](int, int, double, double) { imgRewB_MouseDown(); };
  imgRewB.MouseUp = [this](int, int, double, double) { imgRewB_MouseUp(); };
  imgFfB.MouseDown = [this](int, int, double, double) { imgFfB_MouseDown(); };
  imgFfB.MouseUp = [this](int, int, double, double) { imgFfB_MouseUp(); };
  Frame1.MouseMove = [this](int, int, double X, double Y) { Frame1_MouseMove(X, Y); };
  tickIntoHandler(*this, Timer1, [this] { Timer1_Timer(); });
  tickIntoHandler(*this, Timer2, [this] { Timer2_Timer(); });
  tickIntoHandler(*this, Timer3, [this] { Timer3_Timer(); });
  // It only refreshes what the window shows.
  Timer3.tickOnlyWhileShown(*widget());
  tickIntoHandler(*this, Timer5, [this] { Timer5_Timer(); });
}

// ---------------------------------------------------------------------------
// Playing

void Form2::refillPlayList() {
  Form1& browser = player_.form1();
  browser.List1.Clear();
  for (int i = 0; i < browser.numOfSongs; ++i) browser.List1.AddItem(songTitle(browser.File1.List(i)));
}

QString Form2::songPath(const QString& album, const QString& song) const {
  const std::string folder = player_.collectionRoot() + album.toStdString() + "/";
  const std::string name = (song + ".mp3").toStdString();
  return QString::fromStdString(folder + platform::findNoCase(folder, name).value_or(name));
}

void Form2::songStarted(bool fromItsStart) {
  MP1State = 2;
  // A resumed song reads the position it paused at until its sound device
  // pulls again, up to a buffer later; the watchers noted that very position
  // while it was paused, and a tick in between would take the song for ended.
  if (!fromItsStart) LastPossition = -1;
  showLook(imgPlayB, ip2);
  showLook(imgPauseB, ips1);
  if (fromItsStart) setTimer(true);
  else Timer2.setEnabled(true);
}

void Form2::Command1_Click() {
  Form1& browser = player_.form1();
  MP1->setSwitch1017(true);
  MP1->setSwitch1018(true);
  refillPlayList();
  OriginalAlbum = browser.theAlbum;
  OriginalAlbumIdx = browser.Album;
  browser.showFrame(true);
  browser.setFrame(OriginalAlbumIdx - 1);
  OriginalSngIdx = static_cast<std::int16_t>(selectedSngIdx);
  OriginalSongsAmount = browser.numOfSongs;
  playingSngIdx = selectedSngIdx;
  if (!SongName.isEmpty()) MP1->stop();
  isPlaying = true;
  setCurPlyLbl(true);
  if (SongName.isEmpty()) return;

  painter(paintedSngIdx);
  const bool paused = MP1State == 1 && browser.theAlbum.left(2) == PausedOnAlbum && SongName.left(2) == PausedOnSong;
  if (paused) {
    MP1->play();
  } else {
    MP1->open(songPath(browser.theAlbum, SongName));
  }
  songStarted(!paused);
}

void Form2::PlaySong() {
  Command1_Click();
  setTimer(true);
  isPlaying = true;
}

void Form2::moveAlbumPlay(int step) {
  Form1& browser = player_.form1();
  playingSngIdx += step;
  OriginalSngIdx = static_cast<std::int16_t>(playingSngIdx);
  // The selection moves with the song only where the playing album is
  // shown, and only when it was on the song; another album's selection
  // stays where the user left it, so that its play command plays the song
  // its label names.
  if (browser.theAlbum == OriginalAlbum) {
    paintedSngIdx += step;
    if (playingSngIdx == paintedSngIdx) {
      getLyrics(playingSngIdx);
      painter(playingSngIdx);
    } else {
      painter(selectedSngIdx);
    }
  }
  MP1->stop();
  MP1->open(songPath(OriginalAlbum, browser.List1.List(OriginalSngIdx)));
  songStarted(true);
}

void Form2::setTimer(bool val) {
  Form1& browser = player_.form1();
  Timer2.setEnabled(false);
  browser.sec = 0;
  browser.min = 0;
  lblSEC.setCaption("00");
  lblMIN.setCaption("00");
  if (val) Timer2.setEnabled(true);
}

// ---------------------------------------------------------------------------
// The transport buttons

void Form2::imgPlayB_MouseDown() {
  if (isPlaying && MP1State != 1) return;
  if (MP1State == 1) showLook(imgPauseB, ips1);
  if (BasketPressed && !isPlaying && MP1State == 1) {
    // A personal-list song holds while paused, and goes on from here.
    MP1->stop();
    MP1->play();
    songStarted(false);
  } else {
    Command1_Click();
  }
  // Pressed while it is held, whatever the song's start gave it.
  showLook(imgPlayB, ip3);
}

void Form2::imgPlayB_MouseUp() { showLook(imgPlayB, ip2); }

void Form2::imgPauseB_MouseDown() {
  if (MP1->playState() != PlayState::Playing) return;
  showLook(imgPlayB, ip3);
  showLook(imgPauseB, ips3);
  MP1->pause();
  MP1State = static_cast<std::int16_t>(MP1->playState());
  PausedOnAlbum = OriginalAlbum.left(2);
  PausedOnSong = player_.form1().List1.List(OriginalSngIdx).left(2);
  // The clock counts the song's playing time: it holds while paused.
  Timer2.setEnabled(false);
}

// The pressed look stays while paused.
void Form2::imgPauseB_MouseUp() {
  if (MP1State == 2) showLook(imgPauseB, ips2);
}

void Form2::imgPauseB_MouseMove() { setOtherButtons(5); }

void Form2::imgStopB_MouseDown() {
  if (isPlaying) {
    showLook(imgStopB, is3);
    showLook(imgPauseB, ips1);
    showLook(imgPlayB, ip1);
  }
  // Stop ends album play whatever the control is doing, even while a song
  // is still opening: otherwise the watcher would take the still position
  // for a song's end and start the next song after the user stopped.
  if (MP1->playState() != PlayState::Stopped) {
    MP1->stop();
    MP1->setCurrentPosition(0);
    MP1->setSwitch1017(false);
  }
  isPlaying = false;
  playingSngIdx = 0;
  painter(selectedSngIdx);
  setCurPlyLbl(false);
  player_.form1().showFrame(false);
  setTimer(false);
}

void Form2::imgStopB_MouseUp() {
  if (MP1State == 1 || MP1State == 2) {
    showLook(imgStopB, is2);
    MP1State = 0;
  }
}

void Form2::imgRewB_MouseDown() {
  showLook(imgRewB, ir3);
  stepSong(-1);
}

void Form2::imgRewB_MouseUp() {
  if (selectedSngIdx > 0) showLook(imgRewB, ir2);
}

void Form2::imgFfB_MouseDown() {
  showLook(imgFfB, if3);
  stepSong(+1);
}

void Form2::imgFfB_MouseUp() {
  if (playingSngIdx < OriginalSongsAmount - 1) showLook(imgFfB, if2);
}

void Form2::stepSong(int step) {
  const bool forward = step > 0;
  if (isPlaying) {
    // Neither end wraps.
    if (forward ? playingSngIdx >= OriginalSongsAmount - 1 : playingSngIdx < 1) return;
    moveAlbumPlay(step);
    setCurPlyLbl(true);
    return;
  }

  // Nothing of the album plays: the selection moves.
  Form1& browser = player_.form1();
  if (forward ? selectedSngIdx >= browser.numOfSongs - 1 : selectedSngIdx < 1) return;
  selectedSngIdx += step;
  getLyrics(selectedSngIdx);
  paintedSngIdx += step;
  if (Label1.exists(paintedSngIdx)) SongName = Label1(paintedSngIdx).Caption();
  // A personal-list song plays: the selected song takes its place.
  if (MP1->playState() == PlayState::Playing) PlaySong();
  else painter(selectedSngIdx);
}

void Form2::setOtherButtons(int Button) {
  if (Button != 1) showLook(imgPlayB, isPlaying ? ip2 : ip1);
  if (Button != 2) showLook(imgStopB, is1);
  if (Button != 3) showLook(imgRewB, ir1);
  if (Button != 4) showLook(imgFfB, if1);
}

void Form2::Frame1_MouseMove(double X, double Y) {
  if (!inside(imgPlayB, X, Y)) setOtherButtons(5);
}

// ---------------------------------------------------------------------------
// The song-end watcher

void Form2::Timer1_Timer() {
  Form1& browser = player_.form1();
  if (playingSngIdx > 0) {
    enterChk = true;
    modent = true;
  }
  if (playingSngIdx == 0 && MP1->currentPosition() > 1 && enterChk) {
    enterChk = false;
    modent = false;
  }

  const bool ended = isPlaying && MP1State != 1 && MP1->currentPosition() == LastPossition && !firstFileOpen;
  if (ended) {
    // The album's first song never got going: it is opened once more, and
    // the watcher waits until the control has taken the open.
    if (browser.PlayAll && modent && playingSngIdx == 0 && !beenPlying) {
      restartFirstSong();
      return;
    }
    beenPlying = false;
    if (playingSngIdx >= OriginalSongsAmount - 1) {
      if (browser.PlayAll) playNextAlbum();
      else endAlbumPlay();
    } else {
      moveAlbumPlay(+1);
      browser.showAlbumPlayInCaptions();
      setCurPlyLbl(true);
    }
  }

  LastPossition = MP1->currentPosition();
  if (LastPossition == 0 && firstFileOpen) firstFileOpen = false;
}

void Form2::restartFirstSong() {
  Form1& browser = player_.form1();
  firstSngPlying = SongName + ".mp3";
  MP1->stop();
  MP1->open(songPath(browser.theAlbum, SongName));
  songStarted(true);
  Timer1.setEnabled(false);
  Timer5.setEnabled(true);
}

void Form2::Timer5_Timer() {
  if (MP1->playState() != PlayState::Opening) return;
  Timer1.setEnabled(true);
  Timer5.setEnabled(false);
  beenPlying = true;
}

// After the last album play starts again with the first.
void Form2::playNextAlbum() {
  Form1& browser = player_.form1();
  if (OriginalAlbumIdx >= browser.numOfAlbums) {
    OriginalAlbumIdx = 1;
    browser.setFrame(0);
    browser.showFrame(true);
  } else {
    ++OriginalAlbumIdx;
    browser.setFrame(OriginalAlbumIdx - 1);
  }
  browser.Album = OriginalAlbumIdx;
  browser.theAlbum = browser.GetAlbumName(browser.Album);
  OriginalAlbum = browser.theAlbum;
  OriginalSngIdx = 0;

  browser.setBorder(browser.Album - 1);
  playingSngIdx = 0;
  browser.sort(false);
  paintedSngIdx = 0;
  selectedSngIdx = 0;
  OriginalSongsAmount = browser.numOfSongs;
  SongName = Label1(0).Caption();

  refillPlayList();
  setCurPlyLbl(true);
  MP1->open(songPath(browser.theAlbum, SongName));
  songStarted(true);
  browser.showAlbumPlayInCaptions();
}

// Without play-all, play ends with the album.
void Form2::endAlbumPlay() {
  Form1& browser = player_.form1();
  isPlaying = false;
  showLook(imgPlayB, ip1);
  if (MP1->playState() == PlayState::Playing) MP1->stop();
  browser.showFrame(false);
  if (browser.theAlbum == OriginalAlbum) {
    selectedSngIdx = 0;
    painter(0);
    getLyrics(0);
  }
  OriginalAlbum.clear();
  OriginalSngIdx = 0;
  setCurPlyLbl(false);
  setTimer(false);
}

}  // namespace player
