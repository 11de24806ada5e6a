// The project's three pictures on tab 2. Between commands they live only
// inside dop.qd; a command unpacks them into the mirror, changes one, packs
// them again and deletes the loose copies.
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "album_files.h"
#include "busy_window.h"
#include "file_io.h"
#include "file_work_errors.h"
#include "form5.h"
#include "pack_file.h"
#include "pack_names.h"
#include "path_helpers.h"
#include "picture_cleanup.h"
#include "player_pictures.h"
#include "project_file_choice.h"
#include "runtime_rules.h"
#include "store_error.h"

namespace {

constexpr int kTitle = 0, kBottom = 1, kIntro = 2;

// The member name prefixes by role, the same byRole as picNames.
const char* const kMemberPrefixes[] = {"__TitlePicture__.", "__SubTitlePicture__.", "__Intro__."};
// Their places among the pictures the player loads.
constexpr int kDiscPlaces[] = {controls::kDiscTitle, controls::kDiscBottom, controls::kDiscIntro};

struct PictureRole {
  controls::Image& box;
  QString& member;  // the picture's field of the project data
  QString chooseHelp;
  QString clearHelp;
};

PictureRole pictureRole(Form5& form, int role) {
  switch (role) {
    case kTitle:
      return {form.Image2, form.Text_imgTop_,
              QStringLiteral("The picture that appears on top of the screen before the albums appear."),
              QStringLiteral("Clears the above picture that appears before ethe albums appear.")};
    case kBottom:
      return {form.Image3, form.Text_ImgBottom,
              QStringLiteral("The picture that appears on the bottom of the screen before the albums appear."),
              QStringLiteral("Clears the bottom picture that appears before ethe albums appear.")};
    default:
      return {form.Image4, form.text4_,
              QStringLiteral("This picture is the initializing screen of Quendrel instance. if you clear it, no "
                             "initializing screen will appear."),
              QStringLiteral("This button clears the initializing screen's picture of Quendrel's instance.")};
  }
}

std::string picturesPack(const QString& projectFolder) {
  return store::setPath(projectFolder.toStdString(), store::kPicturesPackFileName);
}

}  // namespace

void Form5::connectPictureHandlers() {
  Image2.Click = [this] { Image2_Click(); };
  Image3.Click = [this] { Image3_Click(); };
  Image4.Click = [this] { Image4_Click(); };
  Command10.Click = [this] { Command10_Click(); };
  Command12.Click = [this] { Command12_Click(); };
  Command16.Click = [this] { Command16_Click(); };
}

void Form5::Image2_Click() { choosePicture(kTitle); }
void Form5::Image3_Click() { choosePicture(kBottom); }
void Form5::Image4_Click() { choosePicture(kIntro); }
void Form5::Command10_Click() { clearPicture(kTitle); }
void Form5::Command12_Click() { clearPicture(kBottom); }
void Form5::Command16_Click() { clearPicture(kIntro); }

void Form5::rebuildPictureSlots() {
  std::vector<QString> byRole(3);
  const std::string pack = picturesPack(sDirectory);
  if (store::FileExists(pack)) {
    for (const std::string& name : store::unpackFiles(pack, workDirectory.toStdString()))
      for (int role = kTitle; role <= kIntro; ++role)
        if (name.starts_with(kMemberPrefixes[role])) byRole[role] = QString::fromStdString(name);
  }
  picNames = byRole;
}

void Form5::choosePicture(int role) {
  const PictureRole r = pictureRole(*this, role);
  if (helpShown(r.chooseHelp)) return;
  if (!chooseFileForProject(*this, QStringLiteral("First create a new project"), QStringLiteral("*.gif;*.bmp;*.jpg")))
    return;

  const std::string mirror = workDirectory.toStdString();
  try {
    const BusyWindow busy(*this);
    const std::string source = store::setPath(path_var.toStdString(), file_var.toStdString());
    checkThePlayerHolds(*this, kDiscPlaces[role], source);
    album_files::ensureFolder(mirror);
    rebuildPictureSlots();
    const QString name = QString::fromLatin1(kMemberPrefixes[role]) + file_var.right(3);
    const std::string copy = store::setPath(mirror, name.toStdString());
    store::copyFileAtomically(source, copy);
    const controls::Picture picture = controls::loadPictureFor(r.box, QString::fromStdString(copy));
    const std::string pack = picturesPack(sDirectory);
    // The new picture may have overwritten the old one's loose copy, so the
    // old pack goes back from its own bytes if the project data refuses.
    const std::optional<store::Bytes> packBefore =
        store::FileExists(pack) ? std::optional(store::readWholeFile(pack)) : std::nullopt;
    const QString packed = picNames[role];
    const QString memberBefore = r.member;
    bool packReplaced = false;
    try {
      picNames[role] = name;
      runtime::letPendingEventsRun();
      // Replaces the old dop.qd only once the new one is whole.
      store::packFiles(pack, packNames(picNames), mirror);
      packReplaced = true;
      r.member = name;
      saveProjectData();
    } catch (...) {
      // Whatever failed, the slots, the project data and dop.qd keep
      // naming the same pictures.
      picNames[role] = packed;
      r.member = memberBefore;
      if (packReplaced) skippingFileErrors([&] {
          if (packBefore) store::writeFileAtomically(pack, *packBefore);
          else std::filesystem::remove(pack);
        });
      throw;
    }
    r.box.setPicture(picture);
    store::deleteAllPics(mirror, "");
  } catch (const std::exception& error) {
    removeLoosePictures();
    showFileWorkError(error);
  }
}

void Form5::clearPicture(int role) {
  const PictureRole r = pictureRole(*this, role);
  if (helpShown(r.clearHelp)) return;
  if (!projectEditable()) return;
  runtime::letPendingEventsRun();
  const std::string mirror = workDirectory.toStdString();
  const std::string pack = picturesPack(sDirectory);
  const QString member = r.member;
  try {
    const BusyWindow busy(*this);
    // A pack that cannot be read back cannot be packed again without losing
    // the other pictures: it stays as it is, and only the project data
    // forgets the picture, so that the player never shows it.
    bool repack = false;
    if (store::FileExists(pack)) skippingFileErrors([&] {
        album_files::ensureFolder(mirror);
        rebuildPictureSlots();
        repack = true;
      });
    const std::vector<QString> slotsBefore = picNames;
    bool packReplaced = false;
    try {
      picNames[role].clear();
      // The repack replaces the old file only when it is whole.
      if (repack) {
        store::packFiles(pack, packNames(picNames), mirror);
        packReplaced = true;
      }
      // Cleared in the project data even without a dop.qd, so that the
      // player never looks for a picture that is not there.
      r.member.clear();
      saveProjectData();
    } catch (...) {
      // A project folder that takes no change keeps the picture, and so
      // does the window: the pack goes back to what the project data still
      // names.
      r.member = member;
      picNames = slotsBefore;
      if (packReplaced) skippingFileErrors([&] { store::packFiles(pack, packNames(picNames), mirror); });
      throw;
    }
    r.box.setPicture(controls::Picture());
    album_files::removeNamedFile(mirror, member);
  } catch (const std::exception& error) {
    removeLoosePictures();
    showFileWorkError(error);
    return;
  }
  removeLoosePictures();
}

void Form5::removeLoosePictures() {
  skippingFileErrors([this] { store::deleteAllPics(workDirectory.toStdString(), ""); });
}
