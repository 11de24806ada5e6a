#pragma once
// The ripper's side of the CD library: the open drive's handle and table of
// contents, drive records by index, opening and closing a drive, frame
// addresses of the table and the library's error texts.

#include <QString>
#include <cstdint>

#include "cd_records.h"

namespace ripper {

// The open drive's handle, kept in 8 bits; 0 = none.
extern std::uint8_t CdHandle;
// The table of contents of the drive opened last.
extern TableOfContents CdToc;

// Copies drive record `index` (0 to 7) of a fresh drive list into `record`;
// a larger index throws std::out_of_range.
void GetCDRecord(CdRecord& record, int index);

// Opens drive `index` and reads its table of contents into CdToc; true
// exactly when both succeeded. A refused handle leaves CdHandle 0; a failed
// table read leaves the handle open and CdToc all zero.
bool OpenCD(int index);

// Releases CdHandle; CdHandle keeps its old value.
void CloseCD();

// The frame address of a table entry's four address bytes, most
// significant first (00 00 01 2C is frame 300).
std::int32_t TocAddrToLong(const std::uint8_t (&address)[4]);
// The frame address of CdToc's entry `entry` (0 to 99).
std::int32_t tocFrame(int entry);

// The text of the library's last error code ("No error...", ...); empty for
// a code outside the table.
QString AKRipErrText();
QString akripErrorText(std::int32_t code);

}  // namespace ripper
