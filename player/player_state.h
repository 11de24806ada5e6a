#pragma once
// The state the album browser (Form1) and the player window (Form2) share:
// each window reads and sets the other's public variables directly, so they
// live here, as plain members the two windows inherit.

#include <QString>
#include <cstdint>

namespace player {

// Form1's public variables.
struct BrowserVariables {
  std::int16_t Album = 0;        // 1-based number of the current album
  std::int16_t numOfSongs = 0;   // files in the open album's folder
  std::int16_t numOfAlbums = 0;  // album boxes
  QString theAlbum;              // folder name of the current album ("01 - Rock")
  bool PlayAll = false;          // continuous play over the albums
  bool PlayAllPressed = false;   // the play-all button is latched down
  bool pickUp = false;           // the next release of play-all switches it off
  std::int16_t sec = 0;          // elapsed-time clock
  std::int16_t min = 0;
  QString form4PicName;          // full path of the unpacked intro picture; "" for none
  std::uint32_t globalColor = 0; // the interface colour, 0x00BBGGRR
  QString tempDirectory;         // the user's temporary folder, ending in "/"
};

// Form2's public variables.
struct PlayerWindowVariables {
  QString SongName;  // caption of the selected song label
  bool isPlaying = false;

  // What plays: album folder, album number, song index and song count.
  QString OriginalAlbum;
  std::int16_t OriginalAlbumIdx = 0;
  std::int16_t OriginalSngIdx = 0;
  std::int16_t OriginalSongsAmount = 0;
  double LastPossition = 0;  // play position at the last watcher tick

  // First-open, first-click and first-song-restart marks.
  bool firstFileOpen = false;
  bool firstClick = false;
  bool beenPlying = false;
  bool enterChk = false;
  bool modent = false;
  bool setTimerEnable = false;
  QString firstSngPlying;

  // Two-digit album and song numbers at the last pause.
  QString PausedOnAlbum;
  QString PausedOnSong;
  std::int16_t MP1State = 0;  // kept play state: 0 stopped, 1 paused, 2 playing

  // Personal list.
  bool BasketPressed = false;
  bool pickUpBasket = false;
  bool playPrvLstRand = false;
  bool repeatPrvtLst = false;
  std::int16_t plyPrvLstCnt = 0;
  QString plyPrvLstCurSong;
  std::int16_t wasOriginalSngIdx = 0;
  std::int16_t wasOrgAlbum = 0;

  // Lyrics to show for a personal-list song.
  bool getCorrectLyrcs4Basket = false;
  std::int16_t sngNumToGetLyrics4Basket = 0;

  // The read-only lyrics box's kept text and its loading mark.
  QString yyy;
  bool myFlag = false;
};

}  // namespace player
