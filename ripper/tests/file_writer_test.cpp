// clsFileIo: a file holds exactly what was written through it, a writer
// whose open failed writes nothing, and failed writes and flushes show.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "raw_file_writer.h"
#include "temp_folder.h"

namespace ripper_test {
namespace {

using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

QString q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

TEST(FileWriter, AnOpenedFileHoldsExactlyWhatWasWrittenThroughIt) {
  TempFolder folder;
  const auto path = folder / "01 - Track 1.mp3";
  writeBytes(path, std::string(5000, 'x'));  // a longer file of the same name
  clsFileIo file;
  ASSERT_TRUE(file.OpenFile(q(path)));
  EXPECT_EQ(file.FileName(), q(path));
  EXPECT_TRUE(file.WriteBytes("abc", 3));
  EXPECT_EQ(file.bytesDone(), 3);
  EXPECT_TRUE(file.WriteBytes("defg", 4));
  EXPECT_TRUE(file.WriteBytes(nullptr, 0));
  EXPECT_TRUE(file.FlushBuffers());
  EXPECT_TRUE(file.CloseFile());
  EXPECT_TRUE(file.lastResult());
  EXPECT_EQ(file.handle(), -1);
  EXPECT_EQ(readBytes(path), "abcdefg");

  // Closed once: the second close and every later write find nothing open.
  EXPECT_FALSE(file.CloseFile());
  EXPECT_FALSE(file.WriteBytes("h", 1));
  EXPECT_FALSE(file.FlushBuffers());
  EXPECT_EQ(readBytes(path), "abcdefg");
}

TEST(FileWriter, AWriterWhoseOpenFailedWritesNothing) {
  TempFolder folder;
  const auto path = folder / "no such folder" / "01 - a.mp3";
  clsFileIo file;
  EXPECT_FALSE(file.OpenFile(q(path)));
  EXPECT_EQ(file.lastError(), ENOENT);
  EXPECT_EQ(file.handle(), -1);
  EXPECT_TRUE(file.FileName().isEmpty());
  EXPECT_FALSE(file.WriteBytes("abc", 3));
  EXPECT_EQ(file.bytesDone(), 0);
  EXPECT_FALSE(file.FlushBuffers());
  EXPECT_FALSE(file.CloseFile());
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(FileWriter, AFullDiskFailsTheWrite) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  clsFileIo file;
  ASSERT_TRUE(file.OpenFile("/dev/full"));
  const std::string block(4096, 'a');
  EXPECT_FALSE(file.WriteBytes(block.data(), static_cast<std::int32_t>(block.size())));
  EXPECT_FALSE(file.lastResult());
  EXPECT_EQ(file.lastError(), ENOSPC);
  EXPECT_EQ(file.bytesDone(), 0);
  EXPECT_TRUE(file.CloseFile());
}

}  // namespace
}  // namespace ripper_test
