// The CD library and the ripper's side of it, on disc images the tests
// make: the drive list, opening a drive with its table of contents, the
// frames read back, the refusals with their error codes and texts.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "cd_access.h"
#include "cd_library.h"
#include "disc_image.h"
#include "temp_folder.h"
#include "text_helpers.h"

namespace ripper_test {
namespace {

using namespace ripper;
using testing_support::TempFolder;

class CdAccess : public ::testing::Test {
 protected:
  void TearDown() override {
    if (CdHandle) CloseCD();
    CdHandle = 0;
  }
  TempFolder folder;
};

TEST_F(CdAccess, TheDriveListHoldsTheImagesOfTheVariableAndSkipsWhatIsNoFile) {
  const DiscImage first = writeThreeTrackImage(folder.path(), "first");
  const DiscImage second = writeThreeTrackImage(folder.path(), "second");
  ScopedImagesVariable images(first.cue.string() + "::" + (folder / "missing.cue").string() + ":" +
                              folder.str() + ":" + second.cue.string());
  const std::vector<QString> names = driveNames();
  ASSERT_GE(names.size(), 2u);
  const int k = driveIndexOf("first.cue");
  ASSERT_GE(k, 0);
  EXPECT_EQ(driveIndexOf("second.cue"), k + 1);
  EXPECT_EQ(driveIndexOf("missing.cue"), -1);
  // Every drive is a host adapter of its own.
  CdRecord record;
  GetCDRecord(record, k + 1);
  EXPECT_EQ(record.hostAdapter, k + 1);
  EXPECT_EQ(record.target, 0);
  EXPECT_EQ(record.lun, 0);
  EXPECT_EQ(record.id[std::strlen("second.cue")], 0);
}

TEST_F(CdAccess, NoMoreThanEightDrivesAreListed) {
  std::string value;
  for (int i = 0; i < 9; ++i)
    value += (i ? ":" : "") + writeDiscImage(folder.path(), "d" + std::to_string(i), {10}).cue.string();
  ScopedImagesVariable images(value);
  EXPECT_EQ(cdlib::GetNumAdapters(), 8);
  EXPECT_EQ(driveIndexOf("d8.cue"), -1);
  CdRecord record;
  EXPECT_THROW(GetCDRecord(record, 8), std::out_of_range);
}

TEST_F(CdAccess, ADriveIndexNamesTheDriveTheLastCountFound) {
  const DiscImage counted = writeDiscImage(folder.path(), "counted", {10, 10});
  const DiscImage later = writeDiscImage(folder.path(), "later", {30});
  ScopedImagesVariable images({counted});
  const int k = driveIndexOf("counted.cue");
  ASSERT_GE(k, 0);
  // Another image in its place after the count: the index still names the
  // drive that was counted, for its record and for opening it.
  ScopedImagesVariable replaced({later});
  CdRecord record;
  GetCDRecord(record, k);
  EXPECT_EQ(BytesToStr(record.id), "counted.cue");
  ASSERT_TRUE(OpenCD(k));
  EXPECT_EQ(tocFrame(1), 10);
  CloseCD();
  CdHandle = 0;
  // Counting again finds the drives as they are now.
  EXPECT_EQ(driveIndexOf("later.cue"), k);
  GetCDRecord(record, k);
  EXPECT_EQ(BytesToStr(record.id), "later.cue");
}

TEST_F(CdAccess, OpeningAnImageReadsItsTracksAndLeadOutIntoTheTable) {
  const DiscImage disc = writeThreeTrackImage(folder.path());
  ScopedImagesVariable images({disc});
  const int k = driveIndexOf("disc.cue");
  ASSERT_GE(k, 0);
  ASSERT_TRUE(OpenCD(k));
  EXPECT_NE(CdHandle, 0);
  for (int entry = 0; entry <= 3; ++entry) {
    SCOPED_TRACE(entry);
    EXPECT_EQ(tocFrame(entry), disc.trackStart(entry + 1));
  }
  EXPECT_EQ(tocFrame(3), 510);
  for (int entry = 4; entry < kTocEntries; ++entry) EXPECT_EQ(tocFrame(entry), 0) << entry;
  // As the ripper window lists them: up to the first zero address.
  int listed = 0;
  for (int i = 1; i < kTocEntries && tocFrame(i) != 0; ++i) ++listed;
  EXPECT_EQ(listed, 3);
  EXPECT_EQ(CdToc.entries[0].trackNumber, 1);
  EXPECT_EQ(CdToc.entries[3].trackNumber, 0xAA);

  // Closing keeps the old handle value; the handle itself is gone.
  const std::uint8_t handle = CdHandle;
  CloseCD();
  EXPECT_EQ(CdHandle, handle);
  TableOfContents toc;
  EXPECT_EQ(cdlib::ReadTOC(handle, &toc), 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kInvalidHandle);
  CdHandle = 0;
}

TEST_F(CdAccess, AnImageWhoseBinIsMissingCannotBeOpened) {
  const DiscImage disc = writeThreeTrackImage(folder.path());
  std::filesystem::remove(disc.bin);
  ScopedImagesVariable images({disc});
  const int k = driveIndexOf("disc.cue");
  ASSERT_GE(k, 0);
  EXPECT_FALSE(OpenCD(k));
  EXPECT_EQ(CdHandle, 0);
  EXPECT_EQ(AKRipErrText(),
            "The ha:tgt:lun values passed to GetCDHandle do not refer to a CD-ROM device.");
}

TEST_F(CdAccess, TableAddressesAreBigEndian) {
  const struct {
    std::uint8_t bytes[4];
    std::int32_t frame;
  } cases[] = {{{0, 0, 1, 0x2C}, 300}, {{0, 1, 0, 0}, 65536}, {{0x12, 0x34, 0x56, 0x78}, 0x12345678}, {{0, 0, 0, 0}, 0}};
  for (const auto& c : cases) EXPECT_EQ(TocAddrToLong(c.bytes), c.frame);
}

TEST_F(CdAccess, FramesComeBackAsTheImageHoldsThem) {
  const DiscImage disc = writeThreeTrackImage(folder.path());
  ScopedImagesVariable images({disc});
  ASSERT_TRUE(OpenCD(driveIndexOf("disc.cue")));
  auto buffer = std::make_unique<TrackBuffer>();
  // A block inside a track, one across two tracks, one going on from the
  // last, and the last frames of the disc.
  const struct {
    std::uint32_t first, count;
  } blocks[] = {{150, 26}, {140, 20}, {160, 26}, {10, 1}, {static_cast<std::uint32_t>(disc.leadOut()) - 26, 26}};
  for (const auto& b : blocks) {
    SCOPED_TRACE(b.first);
    buffer->firstFrame = b.first;
    buffer->frameCount = b.count;
    buffer->capacity = kTrackBufferCapacity;
    ASSERT_EQ(cdlib::ReadCDAudioLBA(CdHandle, buffer.get()), 1);
    EXPECT_EQ(buffer->lengthFilled, b.count * kFrameBytes);
    EXPECT_EQ(std::memcmp(buffer->frames, disc.pcm.data() + std::size_t{b.first} * kFrameBytes, b.count * kFrameBytes), 0);
  }
}

TEST_F(CdAccess, RefusedCallsAnswerZeroAndTheirErrorCode) {
  const DiscImage disc = writeThreeTrackImage(folder.path());
  ScopedImagesVariable images({disc});
  const int k = driveIndexOf("disc.cue");
  ASSERT_GE(k, 0);
  auto request = [&](std::uint8_t size, std::uint8_t version, int adapter) {
    CdHandleRequest r{};
    r.size = size;
    r.version = version;
    r.hostAdapter = static_cast<std::uint8_t>(adapter);
    return r;
  };
  CdHandleRequest wrongSize = request(16, 1, k), wrongVersion = request(12, 2, k), noDrive = request(12, 1, 9),
                  good = request(12, 1, k);
  EXPECT_EQ(cdlib::GetCDHandle(&wrongSize), 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kBadRequestVersion);
  EXPECT_EQ(cdlib::GetCDHandle(&wrongVersion), 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kBadRequestVersion);
  EXPECT_EQ(cdlib::GetCDHandle(nullptr), 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kBadRequest);
  EXPECT_EQ(cdlib::GetCDHandle(&noDrive), 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kNotACdDrive);

  const std::int32_t handle = cdlib::GetCDHandle(&good);
  ASSERT_NE(handle, 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kNoError);
  EXPECT_EQ(cdlib::GetCDHandle(&good), 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kAlreadyAllocated);

  auto buffer = std::make_unique<TrackBuffer>();
  const struct {
    std::int32_t handle;
    std::uint32_t first, count, capacity;
    cdlib::LibError error;
  } reads[] = {
      {handle + 1, 0, 1, kTrackBufferCapacity, cdlib::kInvalidHandle},
      {handle, 0, 27, kTrackBufferCapacity, cdlib::kBufferTooSmall},
      {handle, 0, 2, kFrameBytes, cdlib::kBufferTooSmall},
      {handle, 0, 0, kTrackBufferCapacity, cdlib::kBufferTooSmall},
      {handle, static_cast<std::uint32_t>(disc.leadOut()) - 1, 2, kTrackBufferCapacity, cdlib::kReadFailed},
  };
  for (const auto& r : reads) {
    SCOPED_TRACE(r.count);
    buffer->firstFrame = r.first;
    buffer->frameCount = r.count;
    buffer->capacity = r.capacity;
    EXPECT_EQ(cdlib::ReadCDAudioLBA(r.handle, buffer.get()), 0);
    EXPECT_EQ(cdlib::GetAspiLibError(), r.error);
  }
  EXPECT_EQ(cdlib::ModifyCDParms(handle, 36, 0), 1);
  EXPECT_EQ(cdlib::CloseCDHandle(handle), 1);
  EXPECT_EQ(cdlib::CloseCDHandle(handle), 0);
  EXPECT_EQ(cdlib::GetAspiLibError(), cdlib::kInvalidHandle);
  EXPECT_EQ(cdlib::ModifyCDParms(handle, 36, 0), 0);
}

TEST_F(CdAccess, ErrorTextsOfTheLibrary) {
  const struct {
    std::int32_t code;
    const char* text;
  } cases[] = {
      {0, "No error..."},
      {-1, "Unable to load WNASPI32.DLL (95/98/NT/2000) or use SCSI passthrough (NT/2000)"},
      {-4, "An error was returned by the ASPI manager. Use GetAspiLibAspiError to retrieve the actual ASPI error."},
      {-7, "The handle to the CD-ROM unit is invalid."},
      {-14, "Invalid version or size specified in LPGETCDHAND parameter to GetCDHandle"},
      {-15, "An automatic jitter adjust failed during a call to ReadCDAudioLBAEx"},
      {-16, ""},
      {1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(akripErrorText(c.code), c.text) << c.code;
}

}  // namespace
}  // namespace ripper_test
