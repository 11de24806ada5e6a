// The disc images the tests rip: an image that cannot be written whole is an
// error of the test, not a shorter disc; a cut image keeps its tracks and
// ends where its .bin does.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "cd_access.h"
#include "disc_image.h"
#include "temp_folder.h"

namespace ripper_test {
namespace {

using testing_support::TempFolder;

TEST(DiscImages, AnImageThatCannotBeWrittenIsAnError) {
  TempFolder folder;
  try {
    writeDiscImage(folder / "missing", "disc", {10});
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find((folder / "missing" / "disc.bin").string()), std::string::npos)
        << error.what();
  }
  DiscImage disc = writeThreeTrackImage(folder.path());
  std::filesystem::remove_all(folder.path());
  EXPECT_THROW(cutImage(disc, 100), std::runtime_error);
}

TEST(DiscImages, ACutImageEndsWhereItsBinEndsAndKeepsItsTracks) {
  TempFolder folder;
  for (int frames : {100, 0}) {
    SCOPED_TRACE(frames);
    DiscImage disc = writeThreeTrackImage(folder.path());
    cutImage(disc, frames);
    EXPECT_EQ(std::filesystem::file_size(disc.bin), static_cast<std::uintmax_t>(frames) * ripper::kFrameBytes);
    EXPECT_EQ(disc.pcm.size(), static_cast<std::size_t>(frames) * ripper::kFrameBytes);
    ScopedImagesVariable images({disc});
    ASSERT_TRUE(ripper::OpenCD(driveIndexOf("disc.cue")));
    EXPECT_EQ(ripper::tocFrame(1), 150);
    EXPECT_EQ(ripper::tocFrame(2), 350);
    EXPECT_EQ(ripper::tocFrame(3), frames);  // the lead-out
    ripper::CloseCD();
    ripper::CdHandle = 0;
  }
}

}  // namespace
}  // namespace ripper_test
