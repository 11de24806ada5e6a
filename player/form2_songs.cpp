// The song labels: their colours, and selecting a song by pressing its label.
#include "form1.h"
#include "form2.h"
#include "key_codes.h"
#include "player.h"

namespace player {

void Form2::wireSongsAndLyrics() {
  Label1.MouseDown = [this](int Index, int Button, int, double, double) { Label1_MouseDown(Index, Button); };
  Label1.MouseUp = [this](int, int, int, double, double) { Label1_MouseUp(); };
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

}  // namespace player
