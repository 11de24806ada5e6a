#pragma once
// The CD calls of the ripper window and its rips: the drive count, the
// drive records, opening and closing a drive, the frame addresses of its
// table of contents and the reading of its frames. Both ask the installed
// CdDrives, which is the CD library's unless a test installed one that fails
// where it needs.

#include <QString>
#include <cstdint>

#include "cd_records.h"

namespace ripper {

class CdDrives {
 public:
  virtual ~CdDrives() = default;
  // The number of host adapters; below 1 there is no CD access.
  virtual std::int32_t GetNumAdapters() = 0;
  // Drive record `index` (0 to 7); a larger index throws std::out_of_range.
  virtual void GetCDRecord(CdRecord& record, int index) = 0;
  // Opens drive `index` and reads its table of contents; true when both worked.
  virtual bool OpenCD(int index) = 0;
  // Releases the drive opened last.
  virtual void CloseCD() = 0;
  // The frame address of table entry `entry` (0 to 99) of the open drive.
  virtual std::int32_t tocFrame(int entry) = 0;
  // Reads the frames the buffer's header asks for from the open drive; 1
  // when all of them are there.
  virtual std::int32_t ReadCDAudioLBA(TrackBuffer& buffer) = 0;
  // The text of the last error of these calls ("No error...", ...).
  virtual QString AKRipErrText() = 0;
};

// The installed CdDrives; the CD library's when none is installed (a test's
// CdDrives may take it before installing itself, to pass calls on to it).
CdDrives& cdDrives();
// Installs `drives` (not owned) until it is replaced; nullptr restores the library's.
void setCdDrives(CdDrives* drives);

}  // namespace ripper
