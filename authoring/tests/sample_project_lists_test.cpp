// The folder lists after the first start has built the sample project: Dir4
// lists the sample's albums, and Dir1, the location of new projects, shows
// the new folder where it lies.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "form5_test_support.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> entriesOf(const controls::DirListBox& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i).toStdString());
  return entries;
}

bool lists(const controls::DirListBox& list, const std::string& folder) {
  const std::vector<std::string> entries = entriesOf(list);
  return std::find(entries.begin(), entries.end(), folder) != entries.end();
}

TEST(SampleProjectLists, Dir4ListsTheSampleAndDir1ShowsItsFolder) {
  Fakes fakes;
  fakes.folder.fillAsShipped();
  fakes.fetcher->alwaysReply("0");
  const std::string programFolder = fakes.folder.path().string();
  const std::string sample = (fakes.folder.path() / "Demo Collection").string();
  Form5 form;
  // The user's location for new projects is the program folder itself.
  form.Dir1.setPath(QString::fromStdString(programFolder));
  ASSERT_FALSE(lists(form.Dir1, sample));

  form.Load();

  ASSERT_TRUE(fs::is_directory(sample));
  EXPECT_EQ(form.Dir4.Path().toStdString(), sample);
  EXPECT_EQ(entriesOf(form.Dir4), (std::vector<std::string>{sample + "/01 - Ties", sample + "/02 - No More Merchant",
                                                            sample + "/03 - Let It", sample + "/04 - Here"}));
  EXPECT_EQ(form.Dir1.Path().toStdString(), programFolder);
  EXPECT_TRUE(lists(form.Dir1, sample));
}

}  // namespace
}  // namespace authoring_test
