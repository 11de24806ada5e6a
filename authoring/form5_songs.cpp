// Songs on tab 1: the song list of the selected album and its commands. A
// song is NN - name.mp3 in the album's project folder; its lyrics file
// NN - name.dat in the album's mirror folder follows every rename, so that
// song and lyrics keep one number, and the numbers run 01, 02, ... without
// gaps.
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <initializer_list>

#include "album_files.h"
#include "busy_window.h"
#include "dialogs/dialog_service.h"
#include "file_work_errors.h"
#include "form5.h"
#include "path_helpers.h"
#include "runtime_rules.h"
#include "store_error.h"

using album_files::joined;
using album_files::lyricsFileName;
using album_files::renumbered;

namespace {

constexpr int kMostSongs = 30;

void showMessage(const QString& text, const QString& title = {}) {
  platform::dialogs().MsgBox(text, platform::vbOKOnly, title);
}

// A song file's name as the disc must carry it; throws the refusal.
void requireDiscName(const QString& songFile) {
  if (const auto refusal = album_files::discNameRefusal(songFile, "song name"))
    throw store::StoreError(refusal->toStdString());
}

// The files a song command may rename or delete: every song of the album,
// in list order, then the lyrics files the songs have.
std::vector<std::string> songsAndLyrics(const QString& songFolder, const QString& lyricsFolder,
                                        const QStringList& songs) {
  std::vector<std::string> paths;
  for (const QString& song : songs) paths.push_back(joined(songFolder, song));
  for (const QString& song : songs) {
    const std::string lyrics = joined(lyricsFolder, lyricsFileName(song));
    if (store::FileExists(lyrics)) paths.push_back(lyrics);
  }
  return paths;
}

void deleteFile(const std::string& path) {
  if (std::remove(path.c_str()) != 0) throw store::StoreError(store::describeErrno(errno));
}

}  // namespace

void Form5::connectSongHandlers() {
  Command7.Click = [this] { Command7_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command14.Click = [this] { Command14_Click(); };
  Command11.Click = [this] { Command11_Click(); };
  Command8.Click = [this] { Command8_Click(); };
  Command15.Click = [this] { Command15_Click(); };
  File4.MouseDown = [this](int b, int s, double x, double y) { File4_MouseDown(b, s, x, y); };
  File4.DblClick = [this] { File4_DblClick(); };
}

// ---- Adding -----------------------------------------------------------------

void Form5::Command7_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to add MP3 files to the chosen album. You may add songs "
                               "from a file on one of the drives or rip a song from a CD.")))
    return;
  if (sDirectory.isEmpty()) {
    showMessage(QStringLiteral("First create or open project"));
    markProjectChanged();
    return;
  }
  if (List1.ListIndex() < 0) {
    showMessage(QStringLiteral("Please choose an album to add the songs to."));
    return;
  }
  const int existing = File4.ListCount();
  if (existing >= kMostSongs) {
    showMessage(QStringLiteral("No more than 30 songs aloud.."));
    return;
  }
  if (optFrom2.Value()) {
    getFromCD(existing);
    return;
  }
  // The album is the one selected now, whatever happens to the selection
  // while the songs are copied.
  const QString album = List1.Text();
  file_var.clear();
  if (dialog().showDialog(QStringLiteral("*.mp3"))) {
    try {
      if (file_var.isEmpty())
        addSongFolder(album, existing);
      else
        addSongFile(album, existing);
    } catch (const std::exception& e) {
      File4.Refresh();
      showFileWorkError(e, QStringLiteral("Error"));
      return;
    }
  }
  showFolderSize();
  sortRightButtons();
  markProjectChanged();
}

void Form5::addSongFolder(const QString& album, int existing) {
  const QString folder = path_var;
  const QStringList songs = listWithPicker(folder, QStringLiteral("*.mp3"));
  // A song the disc could not carry stops the add before anything is copied.
  for (const QString& song : songs.mid(0, kMostSongs - existing)) requireDiscName(song);
  if (songs.size() + existing > kMostSongs)
    message(QStringLiteral("Will add ") + QString::number(kMostSongs - existing) +
                QStringLiteral(". no more than 30 songs are allowed."),
            true);
  const QString target = QString::fromStdString(joined(sDirectory, album));
  {
    // Nothing can change the album the songs go to while they are copied.
    const BusyWindow busy(*this);
    for (const QString& song : songs) {
      const QString name = album_files::numberPrefix(existing + 1) + QStringLiteral(" - ") + song;
      runtime::letPendingEventsRun();
      album_files::copyNoReplace(joined(folder, song), joined(target, name));
      if (++existing >= kMostSongs) break;
    }
  }
  File4.Refresh();
}

void Form5::addSongFile(const QString& album, int existing) {
  requireDiscName(file_var);
  const QString name = album_files::numberPrefix(existing + 1) + QStringLiteral(" - ") + file_var;
  album_files::copyNoReplace(joined(path_var, file_var), joined(QString::fromStdString(joined(sDirectory, album)), name));
  File4.Refresh();
}

// ---- Deleting, renaming, moving -----------------------------------------

void Form5::Command13_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to remove MP3 files from the chosen album."))) return;
  const int k = File4.ListIndex();
  if (k >= 0 && platform::dialogs().MsgBox(QStringLiteral("Delete This MP3 file?"), platform::vbYesNo) == platform::vbYes) {
    const QString S = File4.FileName();
    File4.Refresh();
    const QString songFolder = QString::fromStdString(joined(sDirectory, List1.Text()));
    const QString lyricsFolder = QString::fromStdString(joined(workDirectory, List1.Text()));
    QStringList songs;
    for (int j = 0; j < File4.ListCount(); ++j) songs << File4.List(j);
    try {
      const int at = static_cast<int>(songs.indexOf(S));
      if (at < 0) throw store::StoreError(store::describeErrno(ENOENT));
      album_files::requireNotInUse(songsAndLyrics(songFolder, lyricsFolder, songs));
      deleteFile(joined(songFolder, S));
      const std::string lyrics = joined(lyricsFolder, lyricsFileName(S));
      if (store::FileExists(lyrics)) deleteFile(lyrics);
      // Each later song takes over the number of the song before it.
      QString target = S.left(2);
      for (int j = at + 1; j < songs.size(); ++j) {
        const QString& T = songs[j];
        album_files::RenameBatch renames;
        renames.rename(joined(songFolder, T), joined(songFolder, renumbered(target, T)));
        renames.renameIfPresent(joined(lyricsFolder, lyricsFileName(T)),
                                joined(lyricsFolder, renumbered(target, lyricsFileName(T))));
        renames.commit();
        target = T.left(2);
      }
    } catch (const store::StoreError& e) {
      File4.Refresh();
      showFileWorkError(e);
      return;
    }
    File4.Refresh();
  }
  showFolderSize();
  sortRightButtons();
  markProjectChanged();
}

void Form5::Command14_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to rename the chosen song."))) return;
  if (File4.ListIndex() >= 0) {
    const QString S = File4.FileName();
    const QString NN = S.left(2);
    const QString R = S.mid(5);
    QString A = platform::dialogs().InputBox(QStringLiteral("Enter new mp3 file name"), {}, R.left(R.size() - 4));
    if (!album_files::isLegalName(A)) {
      showMessage(QStringLiteral("Illegal name."));
      return;
    }
    if (A.right(4).toLower() == QLatin1String(".mp3")) A.chop(4);
    if (const auto refusal = album_files::discNameRefusal(A, "song name")) {
      showMessage(*refusal, QStringLiteral("Error"));
      return;
    }
    const QString renamed = NN + QStringLiteral(" - ") + A + QStringLiteral(".mp3");
    const QString songFolder = QString::fromStdString(joined(sDirectory, List1.Text()));
    const QString lyricsFolder = QString::fromStdString(joined(workDirectory, List1.Text()));
    try {
      album_files::RenameBatch renames;
      renames.rename(joined(songFolder, S), joined(songFolder, renamed));
      renames.renameIfPresent(joined(lyricsFolder, lyricsFileName(S)), joined(lyricsFolder, lyricsFileName(renamed)));
      renames.commit();
    } catch (const store::StoreError& e) {
      showFileWorkError(e);
      return;
    }
    File4.Refresh();
  }
  sortRightButtons();
  markProjectChanged();
}

void Form5::Command11_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to move the chosen song down."))) return;
  moveSong(+1);
}

void Form5::Command8_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to move the chosen song up."))) return;
  moveSong(-1);
}

void Form5::moveSong(int step) {
  const int i = File4.ListIndex();
  if (i >= 0 && i + step >= 0 && i + step < File4.ListCount()) {
    const QString A = File4.List(i), B = File4.List(i + step);
    const QString NA = A.left(2), NB = B.left(2);
    const QString songFolder = QString::fromStdString(joined(sDirectory, List1.Text()));
    const QString lyricsFolder = QString::fromStdString(joined(workDirectory, List1.Text()));
    try {
      File4.Refresh();
      QStringList songs;
      for (int j = 0; j < File4.ListCount(); ++j) songs << File4.List(j);
      album_files::requireNotInUse(songsAndLyrics(songFolder, lyricsFolder, songs));
      album_files::RenameBatch renames;
      renames.rename(joined(songFolder, A), joined(songFolder, renumbered(NB, A)));
      renames.renameIfPresent(joined(lyricsFolder, lyricsFileName(A)), joined(lyricsFolder, renumbered(NB, lyricsFileName(A))));
      renames.rename(joined(songFolder, B), joined(songFolder, renumbered(NA, B)));
      renames.renameIfPresent(joined(lyricsFolder, lyricsFileName(B)), joined(lyricsFolder, renumbered(NA, lyricsFileName(B))));
      renames.commit();
    } catch (const store::StoreError& e) {
      File4.Refresh();
      showMessage(step < 0 ? describe(e) + QStringLiteral(" Or one of the files is being occupied.") : describe(e));
      return;
    }
    File4.Refresh();
    // The moved song stays selected at its new place.
    if (i + step < File4.ListCount()) File4.setListIndex(i + step);
  }
  sortRightButtons();
  markProjectChanged();
}

void Form5::File4_MouseDown(int, int, double, double) {
  if (helpShown(QStringLiteral("The list of songs that a single album contains."))) return;
  const int i = File4.ListIndex(), c = File4.ListCount();
  if (i >= 0) File4.setToolTipText(File4.FileName().mid(5));
  if (i >= 1) Command8.setEnabled(true);
  if (i == 0) Command8.setEnabled(false);
  if (i == c - 1) Command11.setEnabled(false);
  if (i < c - 1) Command11.setEnabled(true);
  for (controls::Control* song : std::initializer_list<controls::Control*>{&Command13, &Command14, &Command15})
    song->setEnabled(i >= 0);
}

void Form5::Command15_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to add or set lyrics to the MP3 files."))) return;
  File4_DblClick();
}
