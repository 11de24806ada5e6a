// The album's picture (its cover on the disc): intro.<ext> in the album's
// mirror folder, the only picture file there.
#include "album_files.h"
#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "file_work_errors.h"
#include "form5.h"
#include "path_helpers.h"
#include "picture_cleanup.h"
#include "player_pictures.h"
#include "store_error.h"
#include "system/file_services.h"

using album_files::joined;

namespace {

// The extension the stored copy takes, in lower case; empty for a file that
// is no picture of the kinds a cover may be.
QString coverExtension(const QString& file) {
  const QString lower = file.toLower();
  for (const char* ext : {".jpg", ".gif", ".bmp", ".jpeg"})
    if (lower.endsWith(QLatin1String(ext))) return QLatin1String(ext);
  return {};
}

}  // namespace

void Form5::Command20_Click() {
  if (helpShown(QStringLiteral("Press this button inorder to set the album's picture."))) return;
  imgPreview2_Click();
}

void Form5::List1_DblClick() { imgPreview2_Click(); }

void Form5::imgPreview2_Click() {
  if (helpShown(QStringLiteral("The picture relating to the album or specific collection."))) return;
  if (sDirectory.isEmpty()) {
    platform::dialogs().MsgBox(QStringLiteral("First create a new project"), platform::vbOKOnly, QStringLiteral("Quendrel."));
    return;
  }
  if (List1.ListIndex() < 0) {
    platform::dialogs().MsgBox(QStringLiteral("First choose an album."), platform::vbOKOnly);
    return;
  }
  file_var.clear();
  dialog().showDialog(QStringLiteral("*.gif;*.bmp;*.jpg;*.jpeg"));
  if (!file_var.isEmpty()) {
    const QString E = List1.Text();
    try {
      const QString ext = coverExtension(file_var);
      if (ext.isEmpty()) throw store::StoreError("Invalid picture");
      const std::string source = joined(path_var, file_var);
      // A file that is no picture, or one the player would leave out, must
      // not cost the album the one it has.
      checkThePlayerHolds(*this, controls::kFirstDiscCover + List1.ListIndex(), source);
      const controls::Picture picture = controls::loadPictureFor(imgPreview2, QString::fromStdString(source));
      deleteAllCovers(E);
      store::copyFileAtomically(source, joined(QString::fromStdString(joined(workDirectory, E)), "intro" + ext));
      imgPreview2.setPicture(picture);
    } catch (const store::StoreError& e) {
      showFileWorkError(e);
      return;
    }
  }
  showFolderSize();
  markProjectChanged();
}

void Form5::deleteAllCovers(const QString& alnumName) {
  store::deleteAllPics(joined(workDirectory, alnumName), store::kPicturePatterns);
}

void Form5::showAlbumPicture() {
  imgPreview2.setPicture(controls::Picture());
  if (List1.ListIndex() < 0) return;
  const std::string folder = joined(workDirectory, List1.Text());
  const auto found = albumCoverIn(folder);
  if (!found) return;
  try {
    imgPreview2.setPicture(controls::loadPictureFor(imgPreview2, QString::fromStdString(store::setPath(folder, *found))));
  } catch (const store::StoreError& e) {
    platform::dialogs().MsgBox(QStringLiteral("The album's picture cannot be shown: ") + describe(e),
                               platform::vbOKOnly);
  }
}
