#pragma once
// The CD library: CD drives, their handles, a disc's table of contents and
// its audio frames, over libcdio and libcdio-paranoia. Its calls, records,
// results and error codes are those the ripper is written against: results
// are 32-bit, a handle or 1 for success and 0 for failure, and
// GetAspiLibError tells what the last call ran into.
//
// The drives are the CD drives libcdio finds, then the disc images named in
// the environment variable QUENDREL_CD_IMAGES (".cue" files, each with the
// ".bin" it names, separated by ":"), eight at most; drive k is host adapter
// k, target 0, LUN 0. Images make ripping possible without a drive; their
// frames come through the same path as a real disc's, through
// libcdio-paranoia, whose verification and repair only a drive needs.

#include <cstdint>

#include "cd_records.h"

namespace ripper::cdlib {

inline constexpr const char* kImagesVariable = "QUENDREL_CD_IMAGES";

// The codes of GetAspiLibError.
enum LibError : std::int32_t {
  kNoError = 0,
  kReadFailed = -4,         // the drive refused or could not read the frames
  kBufferTooSmall = -6,
  kInvalidHandle = -7,
  kNoMoreHandles = -8,
  kBadBuffer = -9,          // a record's address was missing
  kNotACdDrive = -10,
  kNoExclusiveLock = -11,   // the drive exists but could not be opened
  kAlreadyAllocated = -12,
  kBadRequest = -13,
  kBadRequestVersion = -14,
};

// Looks for the drives afresh; their number (each one on a host adapter of
// its own), 0 to 8. The other calls take the drives it found last (looking
// once when it has not run), so that a drive's index names the same drive
// from the count to the rip, and the drive list is not looked for again
// with every record asked for.
std::int32_t GetNumAdapters();
// Fills the drive records of `list`, one a drive, in the order above.
std::int32_t GetCDList(CdList* list);
// Opens the drive the request names; its handle (1 to 8), or 0.
std::int32_t GetCDHandle(CdHandleRequest* request);
// Sets a parameter of an open drive; 1, or 0 for an invalid handle. No
// parameter changes how this library reads.
std::int32_t ModifyCDParms(std::int32_t handle, std::int16_t parameter, std::int32_t value);
// Fills `toc` with the disc's tracks and lead-out; 1 on success.
std::int32_t ReadTOC(std::int16_t handle, TableOfContents* toc);
// Reads the frames the buffer's header asks for into its frame area; 1
// when all of them are there. A frame that error correction could not
// recover fails the read.
std::int32_t ReadCDAudioLBA(std::int32_t handle, TrackBuffer* buffer);
// Releases the handle; 1, or 0 for an invalid handle.
std::int32_t CloseCDHandle(std::int32_t handle);
// The code of the last call: 0, or one of the negative codes above.
std::int32_t GetAspiLibError();

}  // namespace ripper::cdlib
