// The sample collection made at the first start: a project built like a new
// one, inside the program folder, with four albums, two songs with their
// lyrics, and the project data and pictures of the sample data files qd.090
// to qd.095 that lie beside the program. Like a new project, it is built
// under hidden names and named and listed whole (project_changes.h).
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "album_files.h"
#include "autorun_file.h"
#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "file_work_errors.h"
#include "form5.h"
#include "pack_file.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "project_changes.h"
#include "project_data.h"
#include "store_error.h"

using album_files::joined;

namespace {

const char* const kSampleAlbums[] = {"01 - Ties", "02 - No More Merchant", "03 - Let It", "04 - Here"};

// The album pictures, in the order they are copied into the mirror.
struct AlbumPicture {
  const char* sampleFile;
  const char* album;
  const char* picture;
};
const AlbumPicture kAlbumPictures[] = {
    {"qd.093", "02 - No More Merchant", "intro.jpg"},
    {"qd.094", "03 - Let It", "intro.gif"},
    {"qd.095", "04 - Here", "intro.jpg"},
    {"qd.092", "01 - Ties", "intro.gif"},
};

struct SampleSong {
  const char* file;
  std::vector<std::string> lyrics;
};

std::vector<SampleSong> sampleSongs() {
  const std::string rule(33, '_');
  return {
      {"01 - With you there to help me.mp3",
       {"With you there to help me", rule, "", "Lyrics Lyrics Lyrics", "bla bla bla..", "Lyrics Lyrics Lyrics",
        "Lyrics Lyrics Lyrics"}},
      {"02 - Nothing to say.mp3",
       {"Nothing to say", rule, "", "Lyrics Lyrics Lyrics", "nothing nothing nothing", "Lyrics Lyrics Lyrics",
        "Lyrics Lyrics Lyrics"}},
  };
}

}  // namespace

bool Form5::sampleProjectWanted() const {
  return !store::DirExists(program_folder::handle()) ||
         !store::FileExists(store::setPath(program_folder::path(), store::kProjectListFileName));
}

void Form5::buildSampleProject(const QString& sampleName) {
  const QString name = album_files::trimBlanks(sampleName);
  if (!album_files::isLegalName(name)) {
    platform::dialogs().MsgBox(QStringLiteral("Illegal name."), platform::vbOKOnly);
    return;
  }
  // The sample lies in the program folder itself.
  const QString sampleFolder = QString::fromStdString(store::setPath(program_folder::path(), name.toStdString()));
  const std::string sampleMirror = program_folder::mirror(name);
  cleanGui();
  cmdBuildNewProj.setEnabled(false);
  try {
    // Made whole or not at all. Another program that started at the same
    // time may have listed the sample meanwhile: then it is there already.
    project_changes::Creation creation(
        name.toStdString(), sampleFolder.toStdString(), [&](const project_changes::Entries& listed) {
          const store::ProjectListEntry entry{name.toStdString(), sampleFolder.toStdString()};
          if (std::find(listed.begin(), listed.end(), entry) != listed.end()) return false;
          if (store::FileExists(entry.folder) || store::FileExists(sampleMirror))
            throw store::StoreError(store::describeErrno(EEXIST));
          return true;
        });
    if (creation.wanted()) {
      sDirectory = QString::fromStdString(creation.projectFolder());
      workDirectory = QString::fromStdString(creation.mirror());
      buildSampleFiles(name);
      if (const std::optional<project_changes::Entries> listed = creation.commit()) showProjectList(*listed);
    }
    sDirectory = sampleFolder;
    workDirectory = QString::fromStdString(sampleMirror);
  } catch (const store::StoreError& error) {
    // Nothing is left open, and new projects can still be built.
    showFileWorkError(error, QStringLiteral("Error"));
    forgetHalfMadeProject();
    cmdBuildNewProj.setEnabled(true);
    return;
  }
  skippingFileErrors([&] {
    Dir4.setPath(sDirectory);
    Dir1.Refresh();
  });
  List1.Clear();
  for (QString* member : {&Text1_, &text4_, &Text_imgTop_, &Text_ImgBottom}) member->clear();
  skippingFileErrors([&] { File4.setPath(sDirectory); });
  Command2.setEnabled(true);
  cmdBuildNewProj.setEnabled(true);
}

void Form5::buildSampleFiles(const QString& name) {
  const std::string project = sDirectory.toStdString();
  const std::string mirror = workDirectory.toStdString();
  for (const char* album : kSampleAlbums) {
    album_files::makeFolder(store::setPath(project, album));
    album_files::makeFolder(store::setPath(mirror, album));
  }

  copyProjectTemplates(name);
  album_files::copyNoReplace(program_folder::file("qd.090"), store::setPath(project, store::kPicturesPackFileName));
  album_files::copyNoReplace(program_folder::file("qd.091"), store::setPath(project, store::kProjectDataFileName));
  for (const AlbumPicture& p : kAlbumPictures)
    album_files::copyNoReplace(program_folder::file(p.sampleFile),
                               store::setPath(store::setPath(mirror, p.album), p.picture));

  // The songs are empty files: their lyrics, in the mirror only, are what
  // the first compile gathers.
  const std::string firstAlbum = store::setPath(project, kSampleAlbums[0]);
  const std::string firstMirrorAlbum = store::setPath(mirror, kSampleAlbums[0]);
  for (const SampleSong& song : sampleSongs()) {
    store::writeFileAtomically(store::setPath(firstAlbum, song.file), std::string_view());
    store::writeTextLines(joined(QString::fromStdString(firstMirrorAlbum),
                                 album_files::lyricsFileName(QString::fromLatin1(song.file))),
                          song.lyrics, "lyrics");
  }
  store::writeAutorunForNewProject(project, name.toStdString());
}
