// The lyrics box: each look-up scans the collection's lyrics database anew,
// and the box takes back any change that did not come from a look-up.
#include "collection_files.h"
#include "form1.h"
#include "form2.h"
#include "lyrics_database.h"
#include "player.h"
#include "runtime_rules.h"

namespace player {

void Form2::getLyrics(int serial) {
  Form1& browser = player_.form1();
  showLyrics(browser.GetAlbumName(browser.Album).left(2), serial);
}

void Form2::showLyrics(const QString& album, int serial) {
  const QString song = QString::fromStdString(runtime::twoDigits(serial + 1));
  // The look-up lets pending events run; the mark covers only the filling,
  // so a change made meanwhile is not taken for the lyrics.
  const QString lyrics = getLyricsFromFile(album, song);
  myFlag = true;
  Text1.setText(lyrics);
  myFlag = false;
}

QString Form2::getLyricsFromFile(const QString& album, const QString& song) {
  const std::string database = collectionFile(player_.collectionRoot(), store::kLyricsDatabaseFileName);
  if (database.empty()) return {};
  return QString::fromStdString(store::getLyricsFromFile(database, album.toStdString(), song.toStdString()));
}

void Form2::Text1_Change() {
  if (myFlag) {
    myFlag = false;
    // An empty text is kept too: a later change must not bring back the
    // lyrics of the song shown before.
    yyy = Text1.Text();
  } else if (Text1.Text() != yyy) {
    Text1.setText(yyy);
  }
}

// The box never keeps the keyboard: typing goes to a button instead.
void Form2::Text1_GotFocus() { Command10.SetFocus(); }

void Form2::Text1_MouseDown() { Text1.setCaretVisible(false); }

}  // namespace player
