#include "project_data.h"

#include "file_io.h"
#include "runtime_rules.h"
#include "shifted_string.h"

namespace store {
namespace {

struct Field {
  std::string ProjectData::*member;
  const char* name;
};

constexpr std::array<Field, 11> kFields = {{
    {&ProjectData::passwordText, "project password"},
    {&ProjectData::colourRed, "red part of the colour"},
    {&ProjectData::colourGreen, "green part of the colour"},
    {&ProjectData::colourBlue, "blue part of the colour"},
    {&ProjectData::iconFile, "icon file name"},
    {&ProjectData::initPicFile, "intro picture name"},
    {&ProjectData::titlePicFile, "title picture name"},
    {&ProjectData::bottomPicFile, "bottom picture name"},
    {&ProjectData::projectTitle, "title"},
    {&ProjectData::projectSubTitle, "subtitle"},
    {&ProjectData::infoText, "information text"},
}};

}  // namespace

std::string colourText(long value) { return runtime::Str(value); }

double colourValue(const std::string& text) { return runtime::Val(text); }

Bytes encodeProjectData(const ProjectData& data) {
  ByteWriter out;
  out.writeLong(data.magic);
  for (const auto& f : kFields) writeShiftedString(out, data.*f.member, f.name);
  return out.take();
}

ProjectData decodeProjectData(std::span<const std::uint8_t> bytes) {
  ProjectData data;
  ByteReader in(bytes);
  if (!in.readLong(data.magic)) data.magic = 0;
  bool ended = false;
  for (const auto& f : kFields) {
    std::optional<std::string> text;
    if (!ended) text = readShiftedString(in);
    ended = ended || !text;
    data.*f.member = text ? *std::move(text) : std::string();
  }
  return data;
}

void writeProjectData(const std::filesystem::path& path, const ProjectData& data) {
  writeFileAtomically(path, encodeProjectData(data));
}

ProjectData readProjectData(const std::filesystem::path& path) {
  return decodeProjectData(readWholeFile(path));
}

}  // namespace store
