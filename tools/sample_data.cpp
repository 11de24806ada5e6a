#include "sample_data.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QTemporaryDir>
#include <stdexcept>
#include <string>
#include <vector>

#include "file_io.h"
#include "gif_encoder.h"
#include "pack_file.h"
#include "project_data.h"
#include "sample_pictures.h"

namespace sample_data {
namespace {

namespace fs = std::filesystem;

// Baseline JPEG with optimised Huffman tables: small, and read everywhere.
store::Bytes jpegBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(88);
  writer.setOptimizedWrite(true);
  writer.setProgressiveScanWrite(false);
  if (!writer.write(image)) throw std::runtime_error("JPEG: " + writer.errorString().toStdString());
  return store::Bytes(bytes.begin(), bytes.end());
}

store::Bytes gifBytes(const QImage& image) { return encodeGif(reduceColours(image)); }

// The pack member names the project-picture commands give: a fixed prefix
// by role and the last three letters of the picture's name.
constexpr const char* kTitleMember = "__TitlePicture__.jpg";
constexpr const char* kBottomMember = "__SubTitlePicture__.jpg";
constexpr const char* kIntroMember = "__Intro__.jpg";

void writePicturesPack(const fs::path& packPath) {
  const QTemporaryDir scratch(QString::fromStdString((packPath.parent_path() / "sample-pictures-XXXXXX").string()));
  if (!scratch.isValid()) throw std::runtime_error("no scratch folder beside " + packPath.string());
  const fs::path members = scratch.path().toStdString();
  store::writeFileAtomically(members / kTitleMember, jpegBytes(titlePicture()));
  store::writeFileAtomically(members / kBottomMember, jpegBytes(bottomPicture()));
  store::writeFileAtomically(members / kIntroMember, jpegBytes(introPicture()));
  // In the slots' order: title, bottom, intro.
  store::packFiles(packPath, {kTitleMember, kBottomMember, kIntroMember}, members);
}

store::ProjectData sampleProjectData() {
  store::ProjectData data;
  data.colourRed = store::colourText(kBackdropRed);
  data.colourGreen = store::colourText(kBackdropGreen);
  data.colourBlue = store::colourText(kBackdropBlue);
  data.initPicFile = kIntroMember;
  data.titlePicFile = kTitleMember;
  data.bottomPicFile = kBottomMember;
  data.projectTitle = "Demo Collection";
  data.projectSubTitle = "A sample of what you can make";
  data.infoText =
      "This is the sample collection, built on the first start.\r\n"
      "\r\n"
      "It has four albums, each with its own picture, and two songs with their lyrics in the first "
      "album. The songs are empty: put your own MP3 songs in their place, write their lyrics, choose "
      "your pictures and colour, then compile and run the collection to see it as it plays from the "
      "disc.";
  return data;
}

}  // namespace

void writeSampleData(const fs::path& folder) {
  writePicturesPack(folder / "qd.090");
  store::writeProjectData(folder / "qd.091", sampleProjectData());
  store::writeFileAtomically(folder / "qd.092", gifBytes(albumPicture(1)));
  store::writeFileAtomically(folder / "qd.093", jpegBytes(albumPicture(2)));
  store::writeFileAtomically(folder / "qd.094", gifBytes(albumPicture(3)));
  store::writeFileAtomically(folder / "qd.095", jpegBytes(albumPicture(4)));
}

}  // namespace sample_data
