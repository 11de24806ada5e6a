// The personal list: songs of any album gathered by dragging their labels
// onto the list button, played in list order or shuffled, once or again and
// again, by a watcher of its own that takes over from album play while the
// mode is on.
#include "display_names.h"
#include "form1.h"
#include "form2.h"
#include "label.h"
#include "player.h"
#include "runtime_rules.h"
#include "window_timer.h"

namespace player {
namespace {

using media::PlayState;

constexpr int kMostEntries = 99;

// An entry: the album folder, a backslash and the song file.
struct Entry {
  QString folder;
  QString file;
};

Entry splitEntry(const QString& entry) {
  const qsizetype cut = entry.indexOf('\\');
  if (cut < 0) return {entry, {}};
  return {entry.left(cut), entry.mid(cut + 1)};
}

// The number in the first three characters of a name ("03 - Sunday" -> 3).
int leadingNumber(const QString& name) { return static_cast<int>(runtime::Val(name.left(3).toStdString())); }

QString str(int value) { return QString::fromStdString(runtime::Str(value)); }

}  // namespace

void Form2::wirePersonalList() {
  Image8.MouseDown = [this](int, int, double, double) { Image8_MouseDown(); };
  Image8.MouseUp = [this](int, int, double, double) { Image8_MouseUp(); };
  Image8.DragDrop = [this](controls::Control& Source, double X, double Y) { Image8_DragDrop(Source, X, Y); };
  Image19.Click = [this] { Image19_Click(); };
  Image13.MouseDown = [this](int, int, double, double) { Image13_MouseDown(); };
  Image13.MouseUp = [this](int, int, double, double) { Image13_MouseUp(); };
  tickIntoHandler(*this, Timer4, [this] { Timer4_Timer(); });
}

void Form2::setSongsDraggable(bool draggable) {
  for (int i = 0; i <= Label1.UBound(); ++i) Label1(i).setDragMode(draggable ? 1 : 0);
}

// Ends what plays as the stop button does; the button itself stays at rest,
// as nobody pressed it.
void Form2::stopAsByStopButton() {
  imgStopB_MouseDown();
  imgStopB.setPicture(is1.Picture());
  MP1State = 0;
}

// ---------------------------------------------------------------------------
// The mode button

void Form2::Image8_MouseDown() {
  if (BasketPressed) {
    pickUpBasket = true;
    return;
  }
  Image8.setPicture(Image7.Picture());
  setSongsDraggable(true);
  BasketPressed = true;
  pickUpBasket = false;
  wasOriginalSngIdx = OriginalSngIdx;
  wasOrgAlbum = player_.form1().Album;
  Image9.setVisible(true);
  if (isPlaying) stopAsByStopButton();
  // The watcher's next step in list order is entry 0.
  if (PrivateList.ListCount() >= 1) playingSngIdx = -1;
  Timer1.setEnabled(false);
  Timer4.setEnabled(true);
}

void Form2::Image8_MouseUp() {
  if (BasketPressed && pickUpBasket) leavePersonalList();
}

// Back to the album shown before the mode, with its song selected; the first
// song when the last list song was of another album.
void Form2::leavePersonalList() {
  Form1& browser = player_.form1();
  Image8.setPicture(Image6.Picture());
  setSongsDraggable(false);
  BasketPressed = false;
  pickUpBasket = true;
  stopAsByStopButton();
  Image9.setVisible(false);

  browser.showSongsOf(browser.theAlbum);
  painter(OriginalSngIdx - 1);
  browser.Album = static_cast<std::int16_t>(leadingNumber(browser.theAlbum));
  OriginalSngIdx = wasOriginalSngIdx;
  if (browser.Image1.exists(browser.Album - 1)) browser.mainIMG.setPicture(browser.Image1(browser.Album - 1).Picture());
  browser.Label8.setCaption(withoutNumber(browser.theAlbum));
  Image3.setPicture(browser.mainIMG.Picture());
  if (browser.Label8.Caption() != plyPrvLstCurSong) OriginalSngIdx = 0;
  getLyrics(OriginalSngIdx);
  painter(OriginalSngIdx);
}

// ---------------------------------------------------------------------------
// Adding, removing, clearing

void Form2::Image8_DragDrop(controls::Control& Source, double, double) {
  if (PrivateList.ListCount() >= kMostEntries) return;
  const auto* label = dynamic_cast<const controls::Label*>(&Source);
  if (!label) return;
  const QString caption = label->Caption();
  // The folder whose songs the labels show: after the watcher has started a
  // song of another album, that album's, not the one the browser shows.
  PrivateList.AddItem(player_.form1().songsFolder() + '\\' + caption + ".mp3");
  pList.AddItem(withoutNumber(caption));
  if (isPlaying) stopAsByStopButton();

  // Nothing plays, or play is paused: the list starts with its first entry.
  // While a list song plays (or is opening), the drop only adds.
  const PlayState state = MP1->playState();
  if (state != PlayState::Stopped && state != PlayState::Paused) return;
  playingSngIdx = 0;
  startEntry(0, EntryStart::ByDrop);
  BeenHeardList.Clear();
  BeenHeardList.AddItem(PrivateList.List(0));
  plyPrvLstCnt = 1;
  LastPossition = -1;
  Timer1.setEnabled(false);
  Timer4.setEnabled(true);
}

// What plays goes on; the watcher's counters stay as they are.
void Form2::Image19_Click() {
  const int selected = pList.ListIndex();
  if (selected < 0 || PrivateList.ListCount() == 0 || selected >= PrivateList.ListCount()) return;
  const QString entry = PrivateList.List(selected);
  for (int i = 0; i < BeenHeardList.ListCount(); ++i) {
    if (BeenHeardList.List(i) == entry) {
      BeenHeardList.RemoveItem(i);
      break;
    }
  }
  PrivateList.RemoveItem(selected);
  pList.RemoveItem(selected);
}

void Form2::Image13_MouseDown() {
  Image13.setPicture(Image15.Picture());
  if (PrivateList.ListCount() >= 1) {
    pickUpBasket = true;
    Image8_MouseUp();
  }
  PrivateList.Clear();
  pList.Clear();
}

void Form2::Image13_MouseUp() { Image13.setPicture(Image14.Picture()); }

// ---------------------------------------------------------------------------
// Playing an entry

bool Form2::isExist(int idx) const {
  const QString entry = PrivateList.List(idx);
  for (int i = 0; i < BeenHeardList.ListCount(); ++i)
    if (BeenHeardList.List(i) == entry) return true;
  return false;
}

void Form2::startEntry(int i, EntryStart how) {
  Form1& browser = player_.form1();
  const bool byWatcher = how == EntryStart::ByWatcher;
  const QString text = PrivateList.List(i);
  const Entry entry = splitEntry(text);
  OriginalSngIdx = static_cast<std::int16_t>(leadingNumber(entry.file));
  const int S = OriginalSngIdx;
  const int A = leadingNumber(text);
  const QString albumName = entry.folder.mid(5);
  const QString songName = songTitle(entry.file).mid(5);
  plyPrvLstCurSong = albumName;

  Label5.setVisible(true);
  Label6.setVisible(true);
  PlayingSong.setCaption(str(A) + " - " + albumName);
  Label4.setCaption(str(S) + " - " + songName);
  browser.Label6.setCaption("Playing Album number " + str(A) + ":");
  browser.Label7.setCaption("Playing Song number " + str(S) + ":");
  browser.Label5.setCaption(albumName);
  browser.Label4.setCaption(byWatcher ? llCase(songName) : songName.toLower());

  if (browser.Image1.exists(A - 1)) Image3.setPicture(browser.Image1(A - 1).Picture());
  if (byWatcher) {
    browser.mainIMG.setPicture(Image3.Picture());
    browser.Label8.setCaption(albumName);
  }
  // The entry's own album: the album the browser shows may be another one.
  showLyrics(entry.folder.left(2), S - 1);
  if (byWatcher) browser.showSongsOf(entry.folder);
  painter(S - 1);

  MP1->setSwitch1018(true);
  MP1->setSwitch1017(true);
  MP1->open(songPath(entry.folder, songTitle(entry.file)));
  songStarted(true);
}

// Leaves the mode as the mode button's second press and release do.
void Form2::endPersonalList() {
  pickUpBasket = true;
  Image8_MouseUp();
}

void Form2::Timer4_Timer() {
  if (!BasketPressed) {
    Timer4.setEnabled(false);
    Timer1.setEnabled(true);
    return;
  }

  const int count = PrivateList.ListCount();
  const double position = MP1->currentPosition();
  // A paused song holds: it is not taken for one that has ended.
  const bool finished =
      count > 0 && position > -1 && position == LastPossition && MP1->playState() != PlayState::Paused;
  if (finished) {
    if (!playPrvLstRand) {
      // Removals may have left the index at or past the end: the list ends there.
      if (playingSngIdx + 1 >= count) {
        if (!repeatPrvtLst) {
          endPersonalList();
          return;
        }
        playingSngIdx = 0;
      } else {
        ++playingSngIdx;
      }
      BeenHeardList.Clear();
      BeenHeardList.AddItem(PrivateList.List(playingSngIdx));
      plyPrvLstCnt = 1;
    } else {
      if (!drawUnheardEntry()) {
        endPersonalList();
        return;
      }
      BeenHeardList.AddItem(PrivateList.List(playingSngIdx));
      ++plyPrvLstCnt;
    }
    startEntry(playingSngIdx, EntryStart::ByWatcher);
  }
  LastPossition = MP1->currentPosition();
}

// Draws entries until one not yet heard in this pass comes up. A complete
// pass (every entry heard, the same song twice counting once) starts a new
// one with repeat, and ends the list without: false.
bool Form2::drawUnheardEntry() {
  const int count = PrivateList.ListCount();
  // Rejection gives a uniform choice; the cap only guards against a source
  // of numbers that never lands on an unheard entry.
  constexpr int kMostDraws = 10000;
  playingSngIdx = player_.random().below(count);
  for (int draws = 1; isExist(playingSngIdx); ++draws) {
    bool passComplete = true;
    for (int i = 0; i < count && passComplete; ++i) passComplete = isExist(i);
    if (passComplete) {
      BeenHeardList.Clear();
      plyPrvLstCnt = 0;
      if (!repeatPrvtLst) return false;
    }
    playingSngIdx = player_.random().below(count);
    if (draws >= kMostDraws) {
      while (isExist(playingSngIdx)) playingSngIdx = (playingSngIdx + 1) % count;
      break;
    }
  }
  return true;
}

}  // namespace player
