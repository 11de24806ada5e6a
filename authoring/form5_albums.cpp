// Albums on tab 1: the album list and its five commands. An album is a
// folder named NN - name twice over, in the project folder (its songs) and
// in the mirror (its lyrics and picture); every command changes both.
#include <QStringList>
#include <initializer_list>

#include "album_files.h"
#include "dialogs/dialog_service.h"
#include "file_work_errors.h"
#include "form5.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "store_error.h"
#include "system/file_services.h"

using album_files::joined;

namespace {

constexpr int kMostAlbums = 30;

// The display name of an album: its folder name after "NN - ".
QString albumName(const QString& entry) { return entry.mid(5); }

void showMessage(const QString& text, const QString& title = {}) {
  platform::dialogs().MsgBox(text, platform::vbOKOnly, title);
}

// Every album folder of the list: those in the project folder, then those
// in the mirror.
std::vector<std::string> albumFolders(const Form5& form) {
  std::vector<std::string> folders;
  for (const QString& root : {form.sDirectory, form.workDirectory})
    for (int k = 0; k < form.List1.ListCount(); ++k) folders.push_back(joined(root, form.List1.List(k)));
  return folders;
}

// The album folder `from` renamed `to`, in the project folder and then in
// the mirror.
void renameAlbum(album_files::RenameBatch& renames, const Form5& form, const QString& from, const QString& to) {
  for (const QString& root : {form.sDirectory, form.workDirectory}) renames.rename(joined(root, from), joined(root, to));
}

}  // namespace

void Form5::connectAlbumHandlers() {
  Command2.Click = [this] { Command2_Click(); };
  Command19.Click = [this] { Command19_Click(); };
  Command6.Click = [this] { Command6_Click(); };
  Command24.Click = [this] { Command24_Click(); };
  Command22.Click = [this] { Command22_Click(); };
  List1.Click = [this] { List1_Click(); };
  List1.DblClick = [this] { List1_DblClick(); };
  List1.MouseDown = [this](int b, int s, double x, double y) { List1_MouseDown(b, s, x, y); };
  imgPreview2.Click = [this] { imgPreview2_Click(); };
  Command20.Click = [this] { Command20_Click(); };
}

QStringList Form5::listWithPicker(const QString& folder, const QString& pattern) {
  controls::FileListBox& lister = dialog().File1;
  const QString path = lister.Path(), previousPattern = lister.Pattern();
  const auto giveBack = [&] {
    try {
      lister.setPath(path);
    } catch (const store::StoreError&) {
      // Its folder has gone since: the list stays where this one left it.
    }
    lister.setPattern(previousPattern);
  };
  QStringList names;
  lister.setPattern(pattern);
  try {
    lister.setPath(folder);
  } catch (const store::StoreError&) {
    giveBack();
    throw;
  }
  for (int i = 0; i < lister.ListCount(); ++i) names << lister.List(i);
  giveBack();
  return names;
}

void Form5::Command2_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to add a new album instance."))) return;
  if (List1.ListCount() >= kMostAlbums) {
    showMessage(QStringLiteral("The maximum amount of albums alowd is 30."));
    return;
  }
  if (sDirectory.isEmpty()) {
    showMessage(QStringLiteral("Please create or open a project"));
    return;
  }
  if (!projectEditable()) return;
  try {
    Dir4.Refresh();
    const QString NN = album_files::numberPrefix(Dir4.ListCount() + 1);
    const QString name = platform::dialogs().InputBox(QStringLiteral("Enter new album name:"));
    if (!album_files::isLegalName(name)) {
      showMessage(QStringLiteral("Illegal name."));
      return;
    }
    if (const auto refusal = album_files::discNameRefusal(name, "album name")) {
      showMessage(*refusal, QStringLiteral("Error"));
      return;
    }
    const QString F = NN + QStringLiteral(" - ") + name;
    const std::string projectFolder = joined(sDirectory, F);
    album_files::makeFolder(projectFolder);
    try {
      album_files::makeFolder(store::setPath(program_folder::mirror(lblProjectName.Caption()), F.toStdString()));
    } catch (const store::StoreError&) {
      // An album folder without its mirror would be an album the list never
      // shows; the new, empty folder goes again.
      ::rmdir(projectFolder.c_str());
      throw;
    }
    Dir4.Refresh();
    List1.AddItem(F);
    sortButtons();
    showFolderSize();
    markProjectChanged();
  } catch (const store::StoreError& e) {
    showFileWorkError(e, QStringLiteral("Error"));
  }
}

void Form5::Command19_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to rename the album's instance."))) return;
  const int i = List1.ListIndex();
  if (i >= 0) {
    const QString E = List1.List(i);
    const QString NN = E.left(2);
    const QString N = platform::dialogs().InputBox(QStringLiteral("Enter new Album name"), {}, albumName(E));
    if (!album_files::isLegalName(N)) {
      showMessage(QStringLiteral("Illegal name."));
      return;
    }
    if (const auto refusal = album_files::discNameRefusal(N, "album name")) {
      showMessage(*refusal, QStringLiteral("Error"));
      return;
    }
    const QString target = NN + QStringLiteral(" - ") + N;
    if (store::FileExists(joined(sDirectory, target))) {
      showMessage(QStringLiteral("This album already exist."));
    } else {
      List1.setListIndex(-1);
      try {
        album_files::requireNotInUse({joined(sDirectory, E), joined(workDirectory, E)});
        album_files::RenameBatch renames;
        renameAlbum(renames, *this, E, target);
        renames.commit();
      } catch (const store::StoreError& e) {
        showMessage(describe(e) + QStringLiteral(" Or One of the files is occupied."));
        return;
      }
      List1.setList(i, target);
      List1.setListIndex(i);
    }
  }
  Dir4.Refresh();
  markProjectChanged();
}

void Form5::Command6_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to move the chosen album up."))) return;
  moveAlbum(-1);
}

void Form5::Command24_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to move the chosen album down."))) return;
  moveAlbum(+1);
}

void Form5::moveAlbum(int step) {
  const int i = List1.ListIndex();
  const int partner = i + step;
  if (i < 0 || partner < 0 || partner >= List1.ListCount()) {
    Dir4.Refresh();
    return;
  }
  const QString A = List1.List(i), B = List1.List(partner);
  const QString movedA = album_files::renumbered(B.left(2), A);
  const QString movedB = album_files::renumbered(A.left(2), B);
  List1.setListIndex(-1);
  try {
    album_files::requireNotInUse(albumFolders(*this));
    // The two albums exchange their numbers directly: A's new name differs
    // from B's unless both have one name, and then the first rename refuses.
    album_files::RenameBatch renames;
    renameAlbum(renames, *this, A, movedA);
    renameAlbum(renames, *this, B, movedB);
    renames.commit();
  } catch (const store::StoreError& e) {
    showMessage(describe(e) + QStringLiteral(" Or One of the files is occupied."));
    List1.setListIndex(i);
    return;
  }
  List1.setList(i, movedB);
  List1.setList(partner, movedA);
  List1.setListIndex(partner);
  Dir4.Refresh();
  markProjectChanged();
}

void Form5::Command22_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to remove an album."))) return;
  const int i = List1.ListIndex();
  if (i < 0) return;
  if (platform::dialogs().MsgBox(QStringLiteral("Detele this album?"), platform::vbYesNo) == platform::vbYes) {
    const QString E = List1.List(i);
    try {
      album_files::requireNotInUse(albumFolders(*this));
      // What goes with the album must be able to go, in both folders, before
      // either of them loses anything.
      for (const QString& root : {sDirectory, workDirectory}) album_files::requireContentsNotInUse(joined(root, E));
      for (const QString& root : {workDirectory, sDirectory})
        if (auto refused = platform::forceDeleteFolder(joined(root, E))) throw store::StoreError(*refused);
      Dir4.Refresh();
      QString carry = E.left(2);
      List1.RemoveItem(i);
      // The removed album's songs are gone with its folder.
      showNoSongs();
      // Each album that followed takes the number of the one before it.
      for (int k = i; k < List1.ListCount(); ++k) {
        const QString entry = List1.List(k);
        const QString renumbered = album_files::renumbered(carry, entry);
        album_files::RenameBatch renames;
        renameAlbum(renames, *this, entry, renumbered);
        renames.commit();
        List1.setList(k, renumbered);
        carry = entry.left(2);
      }
      Dir4.Refresh();
    } catch (const store::StoreError& e) {
      showMessage(describeFollowedBy(e, QStringLiteral("File or directory are occupied.")));
      return;
    }
    if (List1.ListCount() == 0)
      for (controls::Control* c : std::initializer_list<controls::Control*>{&Command19, &Command20, &Command22, &cmdPreview})
        c->setEnabled(false);
  }
  showFolderSize();
  sortButtons();
  markProjectChanged();
}

void Form5::List1_MouseDown(int, int, double, double) {
  helpShown(QStringLiteral("The list of albums a project holds. Press an album instance to view the songs it is contaning."));
}

void Form5::List1_Click() {
  bool showsAlbum = false;
  if (List1.ListIndex() >= 0) {
    List1.setToolTipText(albumName(List1.Text()));
    try {
      File4.setPath(QString::fromStdString(joined(sDirectory, List1.Text())));
      showsAlbum = true;
    } catch (const store::StoreError& e) {
      showMessage(QStringLiteral("The album's folder cannot be read: ") + describe(e));
    }
  }
  if (!showsAlbum) showNoSongs();
  showAlbumPicture();
  albumSelectionStates();
}

void Form5::showNoSongs() {
  // The Handle folder holds project mirrors only, never a song: the song
  // list shows nothing, and no song command has a song to act on.
  try {
    File4.setPath(QString::fromStdString(program_folder::handle()));
  } catch (const store::StoreError&) {
  }
  sortRightButtons();
}
