#include "cd_access.h"

#include <cstring>
#include <stdexcept>

#include "cd_library.h"

namespace ripper {

std::uint8_t CdHandle = 0;
TableOfContents CdToc{};

namespace {
// The parameter the program sets once after opening a drive, and its value.
constexpr std::int16_t kOpenParameter = 36;
constexpr std::int32_t kOpenParameterValue = 0;
}  // namespace

void GetCDRecord(CdRecord& record, int index) {
  if (index < 0 || index >= kMaxDrives) throw std::out_of_range("Subscript out of range");
  CdList list;
  std::memset(&list, 0, sizeof list);
  cdlib::GetCDList(&list);
  record = list.cd[index];
}

bool OpenCD(int index) {
  CdRecord record;
  GetCDRecord(record, index);
  CdHandleRequest request;
  std::memset(&request, 0, sizeof request);
  request.size = 12;
  request.version = 1;
  request.hostAdapter = record.hostAdapter;
  request.target = record.target;
  request.lun = record.lun;
  request.readType = 0;
  CdHandle = static_cast<std::uint8_t>(cdlib::GetCDHandle(&request) & 0xFF);
  if (CdHandle == 0) return false;
  cdlib::ModifyCDParms(CdHandle, kOpenParameter, kOpenParameterValue);
  std::memset(&CdToc, 0, sizeof CdToc);
  return cdlib::ReadTOC(CdHandle, &CdToc) == 1;
}

void CloseCD() { cdlib::CloseCDHandle(CdHandle); }

std::int32_t TocAddrToLong(const std::uint8_t (&address)[4]) {
  return static_cast<std::int32_t>((std::uint32_t{address[0]} << 24) | (std::uint32_t{address[1]} << 16) |
                                   (std::uint32_t{address[2]} << 8) | std::uint32_t{address[3]});
}

std::int32_t tocFrame(int entry) { return TocAddrToLong(CdToc.entries[entry].address); }

QString akripErrorText(std::int32_t code) {
  switch (code) {
    case 0: return QStringLiteral("No error...");
    case -1: return QStringLiteral("Unable to load WNASPI32.DLL (95/98/NT/2000) or use SCSI passthrough (NT/2000)");
    case -2:
      return QStringLiteral(
          "Could not load ASPI function GetASPI32SupportInfo. Only occurs when an ASPI manager (WNASPI32.DLL) is "
          "found, but cannot be correctly loaded by the system. Most often indicates that ASPI is improperly "
          "installed.");
    case -3:
      return QStringLiteral(
          "Could not load ASPI function SendASPI32Command. Only occurs when an ASPI manager (WNASPI32.DLL) is "
          "found, but cannot be correctly loaded by the system. Most often indicates that ASPI is improperly "
          "installed.");
    case -4:
      return QStringLiteral(
          "An error was returned by the ASPI manager. Use GetAspiLibAspiError to retrieve the actual ASPI error.");
    case -5: return QStringLiteral("Unused in the current implementation");
    case -6:
      return QStringLiteral(
          "The buffer passed to ReadCDAudioLBA or ReadCDAudioLBAEx is too small for the requested number of "
          "frames.");
    case -7: return QStringLiteral("The handle to the CD-ROM unit is invalid.");
    case -8: return QStringLiteral("All available slots for CD-ROM handles have been allocated.");
    case -9: return QStringLiteral("Results from passing a bad buf parameter to GetCDId (ie. a NULL pointer)");
    case -10: return QStringLiteral("The ha:tgt:lun values passed to GetCDHandle do not refer to a CD-ROM device.");
    case -11: return QStringLiteral("Unable to obtain an exclusive lock on a CD handle.");
    case -12:
      return QStringLiteral(
          "Occurs when attempting to call GetCDHandle for a ha:tgt:lun value that has already been allocated.");
    case -13: return QStringLiteral("Invalid value for the LPGETCDHAND parameter to GetCDHandle");
    case -14: return QStringLiteral("Invalid version or size specified in LPGETCDHAND parameter to GetCDHandle");
    case -15: return QStringLiteral("An automatic jitter adjust failed during a call to ReadCDAudioLBAEx");
    default: return {};
  }
}

QString AKRipErrText() { return akripErrorText(cdlib::GetAspiLibError()); }

}  // namespace ripper
