#include "player_pictures.h"

#include <QBuffer>
#include <new>

#include "file_io.h"
#include "form5.h"
#include "pack_file.h"
#include "path_helpers.h"
#include "store_error.h"
#include "system/file_services.h"

std::optional<std::string> albumCoverIn(const std::string& folder) {
  for (const char* name : {"intro.jpg", "intro.jpeg", "intro.gif", "intro.bmp"})
    if (const auto found = platform::findNoCase(folder, name)) return found;
  return std::nullopt;
}

controls::DiscPictures playerPictures(const Form5& form) {
  controls::DiscPictures pictures(controls::kFirstDiscCover + std::size_t(std::max(form.List1.ListCount(), 0)));
  const std::string project = form.sDirectory.toStdString();
  const std::string icon = form.Text1_.toStdString();
  if (store::isPlainFileName(icon) && store::FileExists(store::setPath(project, icon)))
    pictures[controls::kDiscIcon] = controls::readPictureHeader(QString::fromStdString(store::setPath(project, icon)));

  const std::string pack = store::setPath(project, store::kPicturesPackFileName);
  store::Bytes packed;
  if (store::FileExists(pack)) {
    try {
      packed = store::readWholeFile(pack);
    } catch (const store::StoreError&) {
      // A pack that cannot be read shows nothing in the player either,
    } catch (const std::bad_alloc&) {
      // nor one too big to be held.
    }
  }
  const std::pair<const QString*, int> members[] = {
      {&form.text4_, controls::kDiscIntro}, {&form.Text_imgTop_, controls::kDiscTitle},
      {&form.Text_ImgBottom, controls::kDiscBottom}};
  store::forEachPackRecord(packed, [&](const store::PackRecordView& record) {
    for (const auto& [member, place] : members) {
      if (member->isEmpty() || record.memberName != member->toStdString()) continue;
      QByteArray bytes(reinterpret_cast<const char*>(record.memberData.data()), qsizetype(record.memberData.size()));
      QBuffer file(&bytes);
      file.open(QIODevice::ReadOnly);
      pictures[std::size_t(place)] = controls::readPictureHeader(file);
    }
  });

  for (int album = 0; album < form.List1.ListCount(); ++album) {
    const std::string folder = store::setPath(form.workDirectory.toStdString(), form.List1.List(album).toStdString());
    if (const auto cover = albumCoverIn(folder))
      pictures[controls::kFirstDiscCover + std::size_t(album)] =
          controls::readPictureHeader(QString::fromStdString(store::setPath(folder, *cover)));
  }
  return pictures;
}

void checkThePlayerHolds(const Form5& form, int place, const std::string& file) {
  if (!store::FileExists(file)) throw store::StoreError("File not found");
  controls::checkThePlayerHolds(playerPictures(form), place, controls::readPictureHeader(QString::fromStdString(file)));
}
