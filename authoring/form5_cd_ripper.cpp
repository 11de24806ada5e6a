// The hand-over of the selected album to the CD ripper window and the name
// it gives each track it adds.
#include "album_files.h"
#include "form5.h"
#include "frm_main.h"

void Form5::getFromCD(int) {
  setEnabled(false);
  // A ripper that finds no CD drive closes as it opens, enabling this
  // window again.
  frmMain& ripper = frmMain_.get();
  if (ripper.isLoaded()) ripper.Show(controls::vbModeless, *this);
}

QString Form5::setNewSongName(const QString& name) const {
  return album_files::numberPrefix(File4.ListCount() + 1) + QStringLiteral(" - ") + name;
}
