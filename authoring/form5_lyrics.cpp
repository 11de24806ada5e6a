// A song's lyrics: NN - name.dat beside the album's picture in the mirror,
// Windows-1252 text with CR LF, edited in frmEditTxt.
#include "album_files.h"
#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "file_work_errors.h"
#include "form5.h"
#include "path_helpers.h"
#include "runtime_rules.h"
#include "store_error.h"

void Form5::File4_DblClick() {
  // A song of the selected album of a project open for editing, or nothing.
  if (File4.ListIndex() < 0 || List1.ListIndex() < 0 || !projectEditable()) return;
  const std::string path = album_files::joined(QString::fromStdString(album_files::joined(workDirectory, List1.Text())),
                                               album_files::lyricsFileName(File4.FileName()));
  QString text;
  if (store::FileExists(path)) {
    try {
      for (const std::string& line : store::readTextLines(path)) text += QString::fromStdString(line) + QStringLiteral("\r\n");
    } catch (const store::StoreError& e) {
      // Saving what could be read would cut the lyrics short: the file stays
      // as it is and the editor does not open.
      platform::dialogs().MsgBox(QStringLiteral("The lyrics cannot be read: ") + describe(e),
                                 platform::vbOKOnly);
      return;
    }
  }
  showFolderSize();
  for (;;) {
    showTextEditor(text, QStringLiteral("Edit Lyrics."));
    runtime::letPendingEventsRun();
    try {
      store::writeFileAtomically(path, store::toAnsiOrThrow(largeText.toStdString(), "lyrics"));
      break;
    } catch (const store::StoreError& e) {
      // The text is still here; the user may mend it (a character the code
      // page lacks) or give it up.
      const QString prompt = describe(e) + QStringLiteral("\r\nThe lyrics were not saved. Edit them again?");
      if (platform::dialogs().MsgBox(prompt, platform::vbYesNo) != platform::vbYes) {
        largeText.clear();
        return;
      }
      text = largeText;
    }
  }
  largeText.clear();
  showFolderSize();
  markProjectChanged();
}
