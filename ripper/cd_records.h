#pragma once
// The records the program and the CD library pass to each other by address:
// the drive list, one drive record, the request for a drive handle, the
// table of contents and the buffer of one block of audio frames. Their
// layouts are fixed byte for byte; the sizes and offsets are checked below.

#include <cstddef>
#include <cstdint>

namespace ripper {

// One CD audio frame: 588 stereo pairs of 16-bit little-endian samples,
// left then right, 1/75 of a second at 44,100 pairs a second.
inline constexpr int kFrameBytes = 2352;
inline constexpr int kSamplesPerFrame = kFrameBytes / 2;  // 1176 16-bit samples
// The most frames one block read asks for.
inline constexpr int kFramesPerBlock = 26;

// The drive records one drive list holds.
inline constexpr int kMaxDrives = 8;
inline constexpr int kDriveIdBytes = 65;

struct CdRecord {
  std::uint8_t hostAdapter;
  std::uint8_t target;
  std::uint8_t lun;
  std::uint8_t pad;
  // The drive's name, zero-padded.
  std::uint8_t id[kDriveIdBytes];
  // Further drive information; the program does not read it.
  std::uint8_t info[52];
};

struct CdList {
  // The library puts the number of records it filled in `count`; the
  // program reads neither byte.
  std::uint8_t max;
  std::uint8_t count;
  CdRecord cd[kMaxDrives];
};

struct CdHandleRequest {
  std::uint8_t size;  // 12, the size the program states
  std::uint8_t version;  // 1
  std::uint8_t hostAdapter;
  std::uint8_t target;
  std::uint8_t lun;
  std::uint8_t readType;  // 0
  std::uint8_t reserved[10];
};

inline constexpr int kTocEntries = 100;

struct TocEntry {
  // Reserved, ADR and control bits, track number, reserved; the program
  // does not read them.
  std::uint8_t reserved1;
  std::uint8_t adrControl;
  std::uint8_t trackNumber;
  std::uint8_t reserved2;
  // The frame address, most significant byte first.
  std::uint8_t address[4];
};

// Entry k holds the first frame of track k + 1, the entry after the last
// track the first frame after the disc's last track, and the entries beyond
// are zero: track i spans the frames from entry i - 1 up to entry i.
struct TableOfContents {
  // Data length (two bytes, most significant first), first and last track;
  // the program does not read them.
  std::uint8_t header[4];
  TocEntry entries[kTocEntries];
  std::uint8_t trailer[4];
};

struct TrackBuffer {
  std::uint32_t firstFrame;
  std::uint32_t frameCount;   // 1 to 26
  std::uint32_t capacity;     // bytes of the frame area the caller offers
  std::uint32_t lengthFilled;
  std::uint32_t status;
  std::int32_t startOffset;
  // Frame f of the block at frames + 2352 * f.
  std::uint8_t frames[kFramesPerBlock * kFrameBytes];
};

inline constexpr std::uint32_t kTrackBufferCapacity = kFramesPerBlock * kFrameBytes;  // 61152

static_assert(sizeof(CdRecord) == 121);
static_assert(offsetof(CdRecord, id) == 4 && offsetof(CdRecord, info) == 69);
static_assert(sizeof(CdList) == 970);
static_assert(offsetof(CdList, cd) == 2);
static_assert(sizeof(CdHandleRequest) == 16);
static_assert(offsetof(CdHandleRequest, readType) == 5);
static_assert(sizeof(TocEntry) == 8 && offsetof(TocEntry, address) == 4);
static_assert(sizeof(TableOfContents) == 808);
static_assert(offsetof(TableOfContents, entries) == 4 && offsetof(TableOfContents, trailer) == 804);
static_assert(sizeof(TrackBuffer) == 61176);
static_assert(offsetof(TrackBuffer, startOffset) == 20 && offsetof(TrackBuffer, frames) == 24);
static_assert(kTrackBufferCapacity == 61152);

}  // namespace ripper
