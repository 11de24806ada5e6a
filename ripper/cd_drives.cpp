#include "cd_drives.h"

#include "cd_access.h"
#include "cd_library.h"

namespace ripper {

namespace {

class LibraryDrives : public CdDrives {
 public:
  std::int32_t GetNumAdapters() override { return cdlib::GetNumAdapters(); }
  void GetCDRecord(CdRecord& record, int index) override { ripper::GetCDRecord(record, index); }
  bool OpenCD(int index) override { return ripper::OpenCD(index); }
  void CloseCD() override { ripper::CloseCD(); }
  std::int32_t tocFrame(int entry) override { return ripper::tocFrame(entry); }
  std::int32_t ReadCDAudioLBA(TrackBuffer& buffer) override { return cdlib::ReadCDAudioLBA(CdHandle, &buffer); }
  QString AKRipErrText() override { return ripper::AKRipErrText(); }
};

CdDrives* installed = nullptr;

}  // namespace

CdDrives& cdDrives() {
  static LibraryDrives library;
  return installed ? *installed : library;
}

void setCdDrives(CdDrives* drives) { installed = drives; }

}  // namespace ripper
