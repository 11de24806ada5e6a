// Opening an album into the player window.
#include "display_names.h"
#include "form1.h"
#include "form2.h"
#include "path_functions.h"
#include "player.h"
#include "store_error.h"

namespace player {

void Form1::SongsNames() {
  Form2& window = player_.form2();
  // The labels end at the last one: no later step may index past it.
  numOfSongs = static_cast<std::int16_t>(std::min(File1.ListCount(), kSongLabels));
  for (int i = 0; i < numOfSongs; ++i) {
    const QString file = File1.List(i);
    if (isSongFile(file)) window.Label1(i).setCaption(displayName(songTitle(file)));
  }
  for (int j = 0; j < kSongLabels; ++j) {
    controls::Label& label = window.Label1(j);
    if (j > numOfSongs - 1) {
      label.setEnabled(false);
      label.setVisible(false);
    } else {
      label.setForeColor(kSongNormalColour);
      label.setEnabled(true);
      label.setVisible(true);
    }
  }
}

void Form1::showSongsOf(const QString& folder) {
  try {
    File1.setPath(QString::fromStdString(player_.collectionRoot()) + folder);
  } catch (const store::StoreError&) {
    // A folder that has gone keeps the songs listed before.
  }
  SongsNames();
}

QString Form1::songsFolder() const { return lastComponent(File1.Path()); }

void Form1::sort(bool changeWindow) {
  Form2& window = player_.form2();
  window.Image3.setPicture(mainIMG.Picture());
  window.namLBL.setCaption(Label1.Caption() + " - " + withoutNumber(theAlbum));
  showSongsOf(theAlbum);

  const int selected = window.OriginalAlbum == theAlbum ? window.OriginalSngIdx : 0;
  window.painter(selected);
  window.getLyrics(selected);
  if (window.getCorrectLyrcs4Basket) {
    window.getLyrics(window.sngNumToGetLyrics4Basket);
    window.getCorrectLyrcs4Basket = false;
  }
  window.Image3.setLeft(mainIMG.Left() + 1020);

  if (changeWindow && WindowState() != controls::vbMinimized) {
    window.setVisible(true);
    window.Text1.setCaretVisible(false);
  }
}

}  // namespace player
