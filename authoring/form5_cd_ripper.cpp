// The hand-over of the selected album to the CD ripper window and the name
// it gives each track it adds.
#include <exception>

#include "album_files.h"
#include "busy_window.h"
#include "file_work_errors.h"
#include "form5.h"
#include "frm_main.h"

void Form5::getFromCD(int) {
  try {
    BusyWindow busy(*this, BusyWindow::kNoIndicator);
    // A ripper that finds no CD drive closes as it opens, enabling this
    // window again.
    frmMain& ripper = frmMain_.get();
    if (ripper.isLoaded()) {
      ripper.Show(controls::vbModeless, *this);
      // This window is the ripper's to give back when it closes.
      busy.handOver();
    }
  } catch (const std::exception& error) {
    // A ripper that could not come up whole goes again.
    if (frmMain* ripper = frmMain_.ifLoaded()) ripper->Unload();
    showFileWorkError(error, QStringLiteral("Error"));
  }
}

QString Form5::setNewSongName(const QString& name) const {
  return album_files::numberPrefix(File4.ListCount() + 1) + QStringLiteral(" - ") + name;
}
