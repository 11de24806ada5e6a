// The song labels: their colours, selecting a song by pressing its label and
// playing it by a double click; and the now-playing labels of both windows.
#include "display_names.h"
#include "form1.h"
#include "form2.h"
#include "key_codes.h"
#include "player.h"

namespace player {

void Form2::wireSongsAndLyrics() {
  Label1.MouseDown = [this](int Index, int Button, int, double, double) { Label1_MouseDown(Index, Button); };
  Label1.MouseUp = [this](int, int, int, double, double) { Label1_MouseUp(); };
  Label1.DblClick = [this](int Index) { Label1_DblClick(Index); };
  Text1.Change = [this] { Text1_Change(); };
  Text1.GotFocus = [this] { Text1_GotFocus(); };
  Text1.MouseDown = [this](int, int, double, double) { Text1_MouseDown(); };
  // Its tick has nothing to do: it only runs while a label is held down.
  TimerClick.onTimer = [] {};
}

void Form2::painter(int Index) {
  paintedSngIdx = Index;
  for (int i = 0; i <= Label1.UBound(); ++i) {
    controls::Label& label = Label1(i);
    if (i != Index) {
      label.setForeColor(kSongNormalColour);
    } else if (!BasketPressed) {
      label.setForeColor(kSongSelectedColour);
      SongName = label.Caption();
      selectedSngIdx = i;
    }
  }

  const Form1& browser = player_.form1();
  if (browser.theAlbum == OriginalAlbum && isPlaying && !BasketPressed && Label1.exists(playingSngIdx))
    Label1(playingSngIdx).setForeColor(kSongPlayingColour);

  // Whether the list's song is among these labels is this painting's to
  // say: a mark left by an earlier one (another album's, or one from before
  // the list was left) would have the next album opened show the lyrics of
  // a song that is neither selected nor playing.
  getCorrectLyrcs4Basket = false;
  if (BasketPressed && OriginalSngIdx >= 1 && browser.Label8.Caption() == plyPrvLstCurSong) {
    if (Label1.exists(OriginalSngIdx - 1)) Label1(OriginalSngIdx - 1).setForeColor(kSongPlayingColour);
    getCorrectLyrcs4Basket = true;
    sngNumToGetLyrics4Basket = static_cast<std::int16_t>(OriginalSngIdx - 1);
  }
}

void Form2::Label1_MouseDown(int Index, int Button) {
  if (Button != controls::vbLeftButton) return;
  painter(Index);
  getLyrics(Index);
  TimerClick.setEnabled(true);
}

void Form2::Label1_MouseUp() { TimerClick.setEnabled(false); }

// The press before it has selected the label. A double click on the song
// that is paused opens it again from its start: only the play button
// resumes.
void Form2::Label1_DblClick(int Index) {
  isPlaying = true;
  imgPlayB.setPicture(ip2.Picture());
  MP1State = 2;
  Command1_Click();
  // The first song was started by hand: play-all need not start it again.
  if (Index == 0 && player_.form1().PlayAll) beenPlying = true;
}

void Form2::setCurPlyLbl(bool cap) {
  Form1& browser = player_.form1();
  if (!cap) {
    for (controls::Label* label : {&PlayingSong, &Label4, &browser.Label6, &browser.Label4, &browser.Label7,
                                   &browser.Label5})
      label->setCaption({});
    Label5.setVisible(false);
    Label6.setVisible(false);
    return;
  }
  const QString& album = OriginalAlbum;
  const QString song = browser.List1.List(OriginalSngIdx);
  Label5.setVisible(true);
  Label6.setVisible(true);
  PlayingSong.setCaption(displayName(album));
  Label4.setCaption(displayName(song));
  browser.Label6.setCaption("Playing Album number " + album.left(2) + " :");
  browser.Label4.setCaption(llCase(withoutNumber(song)));
  browser.Label7.setCaption("Playing Song number " + song.left(2) + " :");
  browser.Label5.setCaption(llCase(withoutNumber(album)));
  browser.Label8.setCaption(browser.Label5.Caption());
}

}  // namespace player
