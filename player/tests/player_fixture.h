#pragma once
// A collection folder written with the store's writers, and a player started
// from it with every service faked: dialogs, clock, launcher, media control,
// screen size and the end of the program. The temporary folder and the
// system folder are folders of the test.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/scripted_dialogs.h"
#include "binary_io.h"
#include "fake_media_control.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "lyrics_database.h"
#include "pack_file.h"
#include "player.h"
#include "private_temp_folder.h"
#include "project_data.h"
#include "scripted_modals.h"
#include "shifted_string.h"
#include "screen.h"
#include "setup_launch.h"
#include "system/app_paths.h"
#include "system/recording_launcher.h"
#include "temp_folder.h"
#include "timing/virtual_clock.h"
#include "system/scoped_environment.h"

namespace player::testing_support {

namespace fs = std::filesystem;
using ::testing_support::TempFolder;
using ::testing_support::writeBytes;

// The song labels' colours: at rest, selected, playing.
inline constexpr controls::OleColor kNormal = 0xFFC0C0;
inline constexpr controls::OleColor kSelected = 0xFFFF;
inline constexpr controls::OleColor kPlaying = 0x80C0FF;

// The bytes of a picture file of one colour (PNG; the loader goes by content).
inline std::string pictureBytes(int width, int height, QColor colour = Qt::red) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// The colour in the middle of a picture.
inline QColor middleColour(const controls::Picture& picture) {
  const QImage image = picture.pixmap().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

inline std::string albumFolderName(int number) {
  return runtime::twoDigits(number) + " - Album " + std::to_string(number);
}

// The names of the players' folders in the temporary folder `tmpDir`.
inline std::vector<std::string> runFoldersIn(const fs::path& tmpDir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(tmpDir))
    if (entry.path().filename().string().starts_with(kRunFolderPrefix)) names.push_back(entry.path().filename().string());
  return names;
}

// A collection folder, the player's temporary and system folders, and the
// services every player test fakes; the player itself is started by the
// fixtures below.
class CollectionTest : public ::testing::Test {
 protected:
  CollectionTest()
      : tmpDir_("TMPDIR", tmp.str()),
        systemDir_("QUENDREL_SYSTEM_DIR", (sysDir.path() / "").string()) {
    platform::setAppPath(QString::fromStdString(disc.str()));
    controls::Screen::setSize(15360, 11520);
    installMarker();
  }
  ~CollectionTest() override {
    player.reset();
    platform::setAppPath({});
    controls::Screen::reset();
  }

  // --- the collection ---

  // The disc folder empty again, for the next case of a table.
  void emptyDisc() {
    fs::remove_all(disc.path());
    fs::create_directory(disc.path());
  }

  store::ProjectData projectData() const {
    store::ProjectData data;
    data.colourRed = " 0";
    data.colourGreen = " 64";
    data.colourBlue = " 128";
    data.titlePicFile = "title.png";
    data.bottomPicFile = "bottom.png";
    data.projectTitle = "Summer Songs";
    data.projectSubTitle = "The best of the year";
    data.infoText = "Made with care.\r\n";
    return data;
  }
  void writeProjectData(const store::ProjectData& data) { store::writeProjectData(disc / "dat.qd", data); }

  void addAlbums(int count) {
    for (int i = 1; i <= count; ++i) fs::create_directory(disc / albumFolderName(i));
  }

  // Packs `members` (name and bytes, in order) into `packName` in the disc.
  void writePack(const std::string& packName, const std::vector<std::pair<std::string, std::string>>& members) {
    TempFolder staging;
    std::vector<std::string> names;
    for (const auto& [name, bytes] : members) {
      writeBytes(staging / name, bytes);
      names.push_back(name);
    }
    store::packFiles(disc / packName, names, staging.path());
  }

  // The pictures of a typical project, and its covers for albums 1..count.
  void writeTypicalCollection(int albums) {
    writeProjectData(projectData());
    writePack("dop.qd", {{"title.png", pictureBytes(300, 80, Qt::blue)}, {"bottom.png", pictureBytes(200, 40)}});
    std::vector<std::pair<std::string, std::string>> covers;
    for (int i = 1; i <= albums; ++i)
      covers.emplace_back(runtime::twoDigits(i) + ".jpg", pictureBytes(40, 40, QColor(i * 8, 100, 200)));
    writePack("cvrd.qd", covers);
    addAlbums(albums);
  }

  // Files named `names` in the album folder `album` (created when missing).
  void addFiles(const std::string& album, const std::vector<std::string>& names) {
    fs::create_directories(disc / album);
    for (const auto& name : names) writeBytes(disc / album / name, "ID3");
  }

  // The lyrics database: key and text pairs in this order.
  void writeLyricsDatabase(const std::vector<std::pair<std::string, std::string>>& records,
                           const std::string& name = "ldat.qd") {
    store::ByteWriter out;
    for (const auto& [key, text] : records) {
      store::writeShiftedString(out, key, "key");
      store::writeShiftedString(out, text, "text");
    }
    const auto& bytes = out.bytes();
    writeBytes(disc / name, std::string(bytes.begin(), bytes.end()));
  }

  // Albums 1..albums, each with `songs` songs "NN - Song NN.mp3", and a
  // record in the lyrics database for every song.
  void writeSongAlbums(int albums, int songs) {
    writeTypicalCollection(albums);
    std::vector<std::pair<std::string, std::string>> lyrics;
    for (int a = 1; a <= albums; ++a) {
      std::vector<std::string> names;
      for (int s = 1; s <= songs; ++s) {
        names.push_back(runtime::twoDigits(s) + " - Song " + runtime::twoDigits(s) + ".mp3");
        lyrics.emplace_back(store::lyricsRecordKey(runtime::twoDigits(a), runtime::twoDigits(s)),
                            "album " + std::to_string(a) + " song " + std::to_string(s) + "\r\n");
      }
      addFiles(albumFolderName(a), names);
    }
    writeLyricsDatabase(lyrics);
  }

  void installMarker() { writeBytes(sysDir / kInstalledMarkerName, "installed"); }
  void removeMarker() { fs::remove(sysDir / kInstalledMarkerName); }

  // --- the player's folder in the temporary folder ---

  // Where the player unpacks its pictures, its covers in "cvrd"; empty while
  // it has none.
  fs::path picturesFolder() const {
    if (!player || !player->tempFolder().path()) return {};
    return *player->tempFolder().path();
  }
  fs::path coversFolder() const {
    const fs::path folder = picturesFolder();
    return folder.empty() ? folder : folder / "cvrd";
  }
  std::vector<std::string> runFolders() const { return runFoldersIn(tmp.path()); }
  // The files in `folder`, but for a run's folder's own lock file: it is
  // there for as long as the folder, and is no member of a pack.
  static std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
      if (entry.is_regular_file() && entry.path().filename() != kRunFolderLockName)
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // --- the player ---

  // Makes the album `album` the current one and opens it, as a double
  // click on its box does.
  void open(int album) {
    browser().Album = static_cast<std::int16_t>(album);
    browser().theAlbum = browser().GetAlbumName(album);
    browser().setBorder(album - 1);
    browser().sort(true);
  }

  Form1& browser() { return player->form1(); }
  Form2& window() { return player->form2(); }

  // The song labels' colours, label 0 first, for the labels shown.
  std::vector<controls::OleColor> shownColours() {
    std::vector<controls::OleColor> colours;
    for (int i = 0; i < kSongLabels; ++i)
      if (window().Label1(i).Visible()) colours.push_back(window().Label1(i).ForeColor());
    return colours;
  }

  TempFolder disc, tmp, sysDir;
  platform::ScopedEnvironmentVariable tmpDir_, systemDir_;
  platform::ScopedDialogs dialogs;
  platform::ScopedLauncher launcher;
  controls::ScriptedModals modals;
  std::unique_ptr<Player> player;
  std::vector<EndReason> ends;
};

// The player on a virtual clock, with the fake media control.
class PlayerTest : public CollectionTest {
 protected:
  ~PlayerTest() override { player.reset(); }

  // Starts the player with the control `makeControl` gives (by default a
  // FakeMediaControl on the test's clock).
  Player& start() {
    player = std::make_unique<Player>(
        [this] {
          auto control = makeControl ? makeControl(*clock) : std::make_unique<media::FakeMediaControl>(*clock);
          mp1 = control.get();
          return control;
        },
        [this](EndReason reason) { ends.push_back(reason); });
    player->form1();
    return *player;
  }
  // The intro window is expected; `action` acts on it while it is up (by
  // default its four seconds pass).
  void expectIntro(std::function<void(Form4&)> action = {}) {
    modals.expect<Form4>([this, action](Form4& intro) {
      introShown = true;
      if (action) action(intro);
      clock->advance(4000);
    });
  }

  // The boxes' animation runs to its end, so that the browser takes clicks.
  void finishAnimation() { clock->advance(5000 + 100 * 30); }

  // Rnd answers these values, in order, and then 0.
  void scriptRnd(std::deque<double> values) {
    player->random().setSource([values = std::move(values)]() mutable {
      if (values.empty()) return 0.0;
      const double value = values.front();
      values.pop_front();
      return value;
    });
  }

  platform::ScopedClock clock;
  std::function<std::unique_ptr<media::FakeMediaControl>(platform::Clock&)> makeControl;
  media::FakeMediaControl* mp1 = nullptr;
  bool introShown = false;
};

}  // namespace player::testing_support
