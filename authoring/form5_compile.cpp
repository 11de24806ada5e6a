// Compile, run and browse on the build panel, and the two developer buttons
// that are never shown.
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "busy_window.h"
#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "file_work_errors.h"
#include "folder_listing.h"
#include "form5.h"
#include "lyrics_database.h"
#include "pack_file.h"
#include "pack_names.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "runtime_rules.h"
#include "store_error.h"
#include "system/file_services.h"
#include "system/process_launcher.h"

namespace {

constexpr const char* kPreviewMarkerName = "qdd.qd";

// The album picture names in the order the compile looks for them.
constexpr const char* kCoverExtensions[] = {"jpg", "bmp", "gif", "jpeg"};

// Starts a program of the project folder, found without regard to case (the
// disc names it QD.exe, this program asks for qd.exe), with the project
// folder as its working folder, so that it finds the files beside it by bare
// name. False, and the user told why, when it is missing or did not start.
bool startProjectProgram(const QString& projectFolder, const QString& fileName, platform::WindowStyle style) {
  const std::string folder = projectFolder.toStdString();
  const std::optional<std::string> found = platform::findNoCase(folder, fileName.toStdString());
  const QString path = QString::fromStdString(store::setPath(folder, found.value_or(fileName.toStdString())));
  QString reason;
  if (!found || !store::FileExists(path.toStdString()))
    reason = QStringLiteral("File not found");
  else if (!platform::processLauncher().start({path, {}, projectFolder, style, {}, {}}))
    reason = QStringLiteral("the program did not start");
  if (reason.isEmpty()) return true;
  platform::dialogs().MsgBox(QStringLiteral("Could not start ") + path + QStringLiteral(": ") + reason +
                                 QStringLiteral("."),
                             platform::vbOKOnly);
  return false;
}

}  // namespace

void Form5::connectCompileHandlers() {
  Command27.Click = [this] { Command27_Click(); };
  cmdPreview.Click = [this] { cmdPreview_Click(); };
  Command5.Click = [this] { Command5_Click(); };
  Command23.Click = [this] { Command23_Click(); };
  Command26.Click = [this] { Command26_Click(); };
}

// ---- Compile -----------------------------------------------------------------

void Form5::Command27_Click() {
  if (helpShown(QStringLiteral("Inorder to burn or simply run a project, you must compile it first."))) return;
  if (!projectEditable()) return;
  Command27.setEnabled(false);
  cmdPreview.setEnabled(false);
  try {
    const BusyWindow busy(*this);
    const std::string project = sDirectory.toStdString();
    const std::string mirror = workDirectory.toStdString();
    // The albums as the disc carries them: the player numbers the project
    // folder's albums, whose lyrics and pictures lie in the mirror's folders
    // of the same names.
    const std::vector<std::string> albums = store::readSubfolders(project);
    // Everything is read, and both new files written out, before either old
    // one is replaced: a compile that fails keeps both as they were.
    store::AtomicFileWriter database(store::setPath(project, store::kLyricsDatabaseFileName));
    database.write(store::buildLyricsDatabase(mirror, albums));
    // A project without albums keeps whatever covers file it had.
    std::optional<store::AtomicFileWriter> covers;
    if (!albums.empty()) {
      covers.emplace(store::setPath(project, store::kCoversPackFileName));
      buildCoversFile(albums, *covers);
    }
    if (covers) covers->commit();
    database.commit();
    showFolderSize();
  } catch (const std::exception& error) {
    // The project is not compiled: the user may mend the cause and compile again.
    Command27.setEnabled(true);
    showFileWorkError(error);
    return;
  }
  if (List1.ListCount() >= 1) cmdPreview.setEnabled(true);
}

void Form5::buildCoversFile(const std::vector<std::string>& albums, store::AtomicFileWriter& pack) {
  coverNames.assign(30, QString());
  const std::string mirror = workDirectory.toStdString();
  for (const std::string& album : albums) {
    const std::string albumFolder = store::setPath(mirror, album);
    for (const char* extension : kCoverExtensions) {
      const std::optional<std::string> picture =
          platform::findNoCase(albumFolder, std::string("intro.") + extension);
      if (!picture) continue;
      const std::string number = album.substr(0, 2);
      const double slot = runtime::Val(number) - 1;
      // A folder not numbered 01 to 30 has no slot, and so no cover.
      if (number.size() == 2 && slot >= 0 && slot < 30 && slot == runtime::Int(slot)) {
        const std::string member = number + "." + extension;
        store::copyFileAtomically(store::setPath(albumFolder, *picture), store::setPath(mirror, member));
        coverNames[static_cast<std::size_t>(slot)] = QString::fromStdString(member);
      }
      break;
    }
  }
  store::packFilesInto(pack, packNames(coverNames), mirror);
}

// ---- Run and browse ------------------------------------------------------------

void Form5::cmdPreview_Click() {
  if (helpShown(QStringLiteral("Preview the project (Only if there are atleast one album present)."))) return;
  if (!projectEditable()) return;
  const std::string marker = store::setPath(program_folder::path(), kPreviewMarkerName);
  if (store::FileExists(marker)) {
    startProjectProgram(sDirectory, QStringLiteral("qd.exe"), platform::WindowStyle::Maximized);
    return;
  }
  // The first run on this installation: the launcher installs the support
  // files and then starts the player itself; a player started beside it
  // would race the install.
  try {
    store::writeTextLines(marker, {"F"}, "The preview marker");
  } catch (const store::StoreError& error) {
    showFileWorkError(error);
    return;
  }
  if (!startProjectProgram(sDirectory, lblProjectName.Caption() + QStringLiteral(".exe"),
                           platform::WindowStyle::Minimized)) {
    // Nothing was installed, so the next run tries the launcher again.
    std::error_code ignored;
    std::filesystem::remove(marker, ignored);
  }
}

void Form5::Command5_Click() {
  if (helpShown(QStringLiteral("Opens the project library and view its files. These are the files you should burn on CD.")))
    return;
  if (sDirectory.isEmpty() || !projectEditable()) return;
  // The desktop's opener fails, later, when no program of the desktop can
  // show a folder; said the same as an opener that is not there.
  const auto noProgram = [folder = sDirectory] {
    platform::dialogs().MsgBox(QStringLiteral("No program could show the folder ") + folder + QStringLiteral("."),
                               platform::vbOKOnly);
  };
  if (!platform::openWithDesktop(sDirectory, platform::WindowStyle::Normal, [noProgram](bool shown) {
        if (!shown) noProgram();
      }))
    noProgram();
}

// ---- Developer buttons ---------------------------------------------------------

void Form5::Command23_Click() {
  if (!editingAllowed()) return;
  try {
    const std::vector<std::string> names = store::unpackFiles(
        store::setPath(sDirectory.toStdString(), store::kCoversPackFileName), workDirectory.toStdString());
    // In file order from slot 0; the slots after the last member keep what they held.
    for (std::size_t k = 0; k < names.size() && k < coverNames.size(); ++k)
      coverNames[k] = QString::fromStdString(names[k]);
  } catch (const store::StoreError& error) {
    showFileWorkError(error);
  }
}

void Form5::Command26_Click() {
  if (editingAllowed()) showLyricsDb();
}

void Form5::showLyricsDb() {
  // Shows what can be read: a missing or short database shows less, or nothing.
  store::Bytes bytes;
  try {
    bytes = store::readWholeFile(store::setPath(sDirectory.toStdString(), store::kLyricsDatabaseFileName));
  } catch (const store::StoreError&) {
  }
  store::forEachLyricsRecord(bytes, [](const store::LyricsRecord& record) {
    platform::dialogs().MsgBox(QString::fromStdString(record.key), platform::vbOKOnly);
    platform::dialogs().MsgBox(QString::fromStdString(record.text), platform::vbOKOnly);
    return true;
  });
  showFolderSize();
}
