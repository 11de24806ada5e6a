#pragma once
// The CD library's drives (the disc images of QUENDREL_CD_IMAGES among
// them), installed for a test's life with every call passed on to them: a
// test derives and overrides the calls it looks at or changes.

#include "cd_drives.h"

namespace ripper_test {

class PassedOnDrives : public ripper::CdDrives {
 public:
  PassedOnDrives() : library_(ripper::cdDrives()) { ripper::setCdDrives(this); }
  ~PassedOnDrives() override { ripper::setCdDrives(nullptr); }
  PassedOnDrives(const PassedOnDrives&) = delete;
  PassedOnDrives& operator=(const PassedOnDrives&) = delete;

  std::int32_t GetNumAdapters() override { return library_.GetNumAdapters(); }
  void GetCDRecord(ripper::CdRecord& record, int index) override { library_.GetCDRecord(record, index); }
  bool OpenCD(int index) override { return library_.OpenCD(index); }
  void CloseCD() override { library_.CloseCD(); }
  std::int32_t tocFrame(int entry) override { return library_.tocFrame(entry); }
  std::int32_t ReadCDAudioLBA(ripper::TrackBuffer& buffer) override { return library_.ReadCDAudioLBA(buffer); }
  QString AKRipErrText() override { return library_.AKRipErrText(); }

 private:
  ripper::CdDrives& library_;
};

}  // namespace ripper_test
