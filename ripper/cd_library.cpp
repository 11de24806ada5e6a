#include "cd_library.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "fault_filter.h"

namespace ripper::cdlib {

namespace {

constexpr int kMaxHandles = 8;
constexpr int kRequestSize = 12;
constexpr int kRequestVersion = 1;
// Retries of one frame inside error correction before it is given up.
constexpr int kParanoiaRetries = 20;

struct Drive {
  std::string source;  // device path or .cue file
  bool image = false;
  std::string name;
};

struct OpenDrive {
  bool used = false;
  int drive = -1;
  bool image = false;
  CdIo_t* cdio = nullptr;
  cdrom_drive_t* cdda = nullptr;
  cdrom_paranoia_t* paranoia = nullptr;
  lsn_t nextFrame = -1;  // where error correction stands; -1: seek first
};

std::int32_t lastError = kNoError;
std::vector<Drive> drives;
bool drivesListed = false;
std::array<OpenDrive, kMaxHandles> handles;

// The library reports to the user through its results; libcdio's own
// notes on images and drives would only reach a terminal.
void ignoreLibraryNote(cdio_log_level_t, const char*) {}

void quietLibrary() {
  static const bool quiet = (cdio_log_set_handler(ignoreLibraryNote), true);
  (void)quiet;
}

std::int32_t fail(LibError error) {
  lastError = error;
  return 0;
}

std::int32_t succeed(std::int32_t result = 1) {
  lastError = kNoError;
  return result;
}

std::string trimmed(const char* text) {
  std::string s(text ? text : "");
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// "Vendor Model Revision" as the drive reports itself, else its path.
std::string driveName(const std::string& device) {
  CdIo_t* cdio = guardedLibraryCall([&] { return cdio_open(device.c_str(), DRIVER_DEVICE); });
  if (!cdio) return device;
  cdio_hwinfo_t info{};
  const bool known = guardedLibraryCall([&] { return cdio_get_hwinfo(cdio, &info); });
  guardedLibraryCall([&] { cdio_destroy(cdio); });
  if (!known) return device;
  std::string name;
  for (const char* part : {info.psz_vendor, info.psz_model, info.psz_revision}) {
    const std::string word = trimmed(part);
    if (word.empty()) continue;
    if (!name.empty()) name += ' ';
    name += word;
  }
  return name.empty() ? device : name;
}

std::vector<std::string> realDrives() {
  char** list = guardedLibraryCall([] { return cdio_get_devices(DRIVER_DEVICE); });
  std::vector<std::string> devices;
  for (char** d = list; d && *d; ++d) devices.emplace_back(*d);
  if (list) guardedLibraryCall([&] { cdio_free_device_list(list); });
  return devices;
}

std::vector<std::string> imageFiles() {
  std::vector<std::string> images;
  const char* value = std::getenv(kImagesVariable);
  if (!value) return images;
  const std::string all(value);
  std::size_t start = 0;
  while (start <= all.size()) {
    const std::size_t end = std::min(all.find(':', start), all.size());
    const std::string path = all.substr(start, end - start);
    struct stat st {};
    if (!path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) images.push_back(path);
    start = end + 1;
  }
  return images;
}

void listDrives() {
  quietLibrary();
  std::vector<Drive> found;
  for (const std::string& device : realDrives()) found.push_back({device, false, driveName(device)});
  for (const std::string& cue : imageFiles())
    found.push_back({cue, true, std::filesystem::path(cue).filename().string()});
  if (found.size() > static_cast<std::size_t>(kMaxDrives)) found.resize(kMaxDrives);
  drives = std::move(found);
  drivesListed = true;
}

OpenDrive* openDrive(std::int32_t handle) {
  if (handle < 1 || handle > kMaxHandles || !handles[static_cast<std::size_t>(handle - 1)].used) return nullptr;
  return &handles[static_cast<std::size_t>(handle - 1)];
}

void putAddress(TocEntry& entry, lsn_t frame) {
  const auto value = static_cast<std::uint32_t>(frame);
  entry.address[0] = static_cast<std::uint8_t>(value >> 24);
  entry.address[1] = static_cast<std::uint8_t>(value >> 16);
  entry.address[2] = static_cast<std::uint8_t>(value >> 8);
  entry.address[3] = static_cast<std::uint8_t>(value);
}

// ADR 1 (position data) and the control bits of the track.
std::uint8_t adrControl(CdIo_t* cdio, track_t track) {
  std::uint8_t control = 0;
  if (guardedLibraryCall([&] { return cdio_get_track_preemphasis(cdio, track); }) == CDIO_TRACK_FLAG_TRUE)
    control |= 0x1;
  if (guardedLibraryCall([&] { return cdio_get_track_copy_permit(cdio, track); }) == CDIO_TRACK_FLAG_TRUE)
    control |= 0x2;
  if (guardedLibraryCall([&] { return cdio_get_track_format(cdio, track); }) != TRACK_FORMAT_AUDIO) control |= 0x4;
  return static_cast<std::uint8_t>(0x10 | control);
}

// What error correction reported for the frame being read.
bool frameGivenUp = false;
void noteCorrection(long, paranoia_cb_mode_t mode) {
  if (mode == PARANOIA_CB_SKIP || mode == PARANOIA_CB_DRIFT) frameGivenUp = true;
}

bool startErrorCorrection(OpenDrive& open) {
  if (open.paranoia) return true;
  open.cdda = guardedLibraryCall([&] { return cdio_cddap_identify_cdio(open.cdio, CDDA_MESSAGE_FORGETIT, nullptr); });
  if (!open.cdda) return false;
  if (guardedLibraryCall([&] { return cdio_cddap_open(open.cdda); }) != 0) {
    guardedLibraryCall([&] { cdio_cddap_close_no_free_cdio(open.cdda); });
    open.cdda = nullptr;
    return false;
  }
  // An image holds its samples as the .cue says: little-endian.
  if (open.image) open.cdda->bigendianp = 0;
  open.paranoia = guardedLibraryCall([&] { return cdio_paranoia_init(open.cdda); });
  if (!open.paranoia) return false;
  // A drive's reads are verified against each other and repaired, up to a
  // limit of retries; an image reads the same every time, so its frames
  // take the same path without the verification, which would only double
  // the work.
  const int mode = open.image ? PARANOIA_MODE_DISABLE : PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP;
  guardedLibraryCall([&] { cdio_paranoia_modeset(open.paranoia, mode); });
  open.nextFrame = -1;
  return true;
}

void release(OpenDrive& open) {
  if (open.paranoia) guardedLibraryCall([&] { cdio_paranoia_free(open.paranoia); });
  if (open.cdda) guardedLibraryCall([&] { cdio_cddap_close_no_free_cdio(open.cdda); });
  if (open.cdio) guardedLibraryCall([&] { cdio_destroy(open.cdio); });
  open = OpenDrive{};
}

}  // namespace

std::int32_t GetNumAdapters() {
  listDrives();
  return succeed(static_cast<std::int32_t>(drives.size()));
}

std::int32_t GetCDList(CdList* list) {
  if (!list) return fail(kBadBuffer);
  if (!drivesListed) listDrives();
  list->count = static_cast<std::uint8_t>(drives.size());
  for (std::size_t k = 0; k < drives.size(); ++k) {
    CdRecord& record = list->cd[k];
    std::memset(&record, 0, sizeof record);
    record.hostAdapter = static_cast<std::uint8_t>(k);
    const std::string& name = drives[k].name;
    std::memcpy(record.id, name.data(), std::min(name.size(), sizeof record.id - 1));
  }
  return succeed();
}

std::int32_t GetCDHandle(CdHandleRequest* request) {
  if (!request) return fail(kBadRequest);
  if (request->size != kRequestSize || request->version != kRequestVersion) return fail(kBadRequestVersion);
  if (!drivesListed) listDrives();
  const int drive = request->hostAdapter;
  if (request->target != 0 || request->lun != 0 || drive >= static_cast<int>(drives.size())) return fail(kNotACdDrive);
  for (const OpenDrive& open : handles)
    if (open.used && open.drive == drive) return fail(kAlreadyAllocated);
  const auto slot = std::find_if(handles.begin(), handles.end(), [](const OpenDrive& o) { return !o.used; });
  if (slot == handles.end()) return fail(kNoMoreHandles);

  const Drive& d = drives[static_cast<std::size_t>(drive)];
  CdIo_t* cdio = guardedLibraryCall([&] {
    return d.image ? cdio_open_cue(d.source.c_str()) : cdio_open(d.source.c_str(), DRIVER_DEVICE);
  });
  if (!cdio) return fail(d.image ? kNotACdDrive : kNoExclusiveLock);
  *slot = OpenDrive{};
  slot->used = true;
  slot->drive = drive;
  slot->image = d.image;
  slot->cdio = cdio;
  return succeed(static_cast<std::int32_t>(slot - handles.begin()) + 1);
}

std::int32_t ModifyCDParms(std::int32_t handle, std::int16_t, std::int32_t) {
  if (!openDrive(handle)) return fail(kInvalidHandle);
  return succeed();
}

std::int32_t ReadTOC(std::int16_t handle, TableOfContents* toc) {
  OpenDrive* open = openDrive(handle);
  if (!open) return fail(kInvalidHandle);
  if (!toc) return fail(kBadBuffer);
  CdIo_t* cdio = open->cdio;
  const track_t first = guardedLibraryCall([&] { return cdio_get_first_track_num(cdio); });
  const track_t count = guardedLibraryCall([&] { return cdio_get_num_tracks(cdio); });
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return fail(kReadFailed);
  const int tracks = std::min<int>(count, kTocEntries - 1);

  // Filled aside, so that a failed read leaves the caller's table as it was.
  TableOfContents read;
  std::memset(&read, 0, sizeof read);
  const int dataLength = 2 + 8 * (tracks + 1);
  read.header[0] = static_cast<std::uint8_t>(dataLength >> 8);
  read.header[1] = static_cast<std::uint8_t>(dataLength);
  read.header[2] = first;
  read.header[3] = static_cast<std::uint8_t>(first + tracks - 1);
  for (int k = 0; k <= tracks; ++k) {
    const bool leadOut = k == tracks;
    const track_t track = leadOut ? track_t{CDIO_CDROM_LEADOUT_TRACK} : static_cast<track_t>(first + k);
    const lsn_t start = guardedLibraryCall([&] { return cdio_get_track_lsn(cdio, track); });
    if (start == CDIO_INVALID_LSN) return fail(kReadFailed);
    TocEntry& entry = read.entries[k];
    entry.adrControl = leadOut ? 0x10 : adrControl(cdio, track);
    entry.trackNumber = track;
    putAddress(entry, start);
  }
  *toc = read;
  return succeed();
}

std::int32_t ReadCDAudioLBA(std::int32_t handle, TrackBuffer* buffer) {
  OpenDrive* open = openDrive(handle);
  if (!open) return fail(kInvalidHandle);
  if (!buffer) return fail(kBadBuffer);
  const std::uint32_t count = buffer->frameCount;
  const std::uint32_t room = std::min<std::uint32_t>(buffer->capacity, sizeof buffer->frames);
  if (count == 0 || count > room / kFrameBytes) return fail(kBufferTooSmall);
  CdIo_t* cdio = open->cdio;
  const lsn_t end = guardedLibraryCall([&] { return cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK); });
  const std::int64_t first = buffer->firstFrame;
  if (end == CDIO_INVALID_LSN || first + count > static_cast<std::int64_t>(end)) return fail(kReadFailed);
  if (!startErrorCorrection(*open)) return fail(kReadFailed);

  // Reading on from where the last read stopped keeps what error
  // correction has already verified; anywhere else it starts afresh.
  cdrom_paranoia_t* paranoia = open->paranoia;
  const bool seek = open->nextFrame != first;
  open->nextFrame = -1;
  if (seek) guardedLibraryCall([&] { return cdio_paranoia_seek(paranoia, static_cast<std::int32_t>(first), SEEK_SET); });
  for (std::uint32_t f = 0; f < count; ++f) {
    frameGivenUp = false;
    const std::int16_t* samples =
        guardedLibraryCall([&] { return cdio_paranoia_read_limited(paranoia, noteCorrection, kParanoiaRetries); });
    if (!samples || frameGivenUp) return fail(kReadFailed);
    std::memcpy(buffer->frames + static_cast<std::size_t>(f) * kFrameBytes, samples, kFrameBytes);
  }
  open->nextFrame = static_cast<lsn_t>(first + count);
  buffer->lengthFilled = count * kFrameBytes;
  return succeed();
}

std::int32_t CloseCDHandle(std::int32_t handle) {
  OpenDrive* open = openDrive(handle);
  if (!open) return fail(kInvalidHandle);
  release(*open);
  return succeed();
}

std::int32_t GetAspiLibError() { return lastError; }

}  // namespace ripper::cdlib
