// The writer of the disc's support files, run as the build runs it: every
// file of Setup's table with its text, and a file that cannot be written
// whole, a full disk too, is an error of the build.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "file_io.h"
#include "support_file_table.h"

namespace {

namespace fs = std::filesystem;

struct WriterRun {
  int exitCode = -1;
  std::string errors;
};

WriterRun writeSupportFiles(const fs::path& folder) {
  QProcess writer;
  writer.start(QStringLiteral(SUPPORT_FILE_WRITER),
               {QString::fromStdString(folder.string()), QStringLiteral("2.9.127")});
  if (!writer.waitForFinished(30000) || writer.exitStatus() != QProcess::NormalExit) return {};
  return {writer.exitCode(), writer.readAllStandardError().toStdString()};
}

TEST(SupportFileWriter, WritesEveryFileOfSetupsTableWithItsText) {
  QTemporaryDir folder;
  const fs::path path = folder.path().toStdString();
  const WriterRun run = writeSupportFiles(path);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  for (const setup::SupportFile& file : setup::supportFileTable)
    EXPECT_TRUE(fs::is_regular_file(path / std::string(file.source))) << file.source;
  const store::Bytes marker = store::readWholeFile(path / "qd.019");
  EXPECT_EQ(std::string(marker.begin(), marker.end()),
            "Quendrel 2.9.127 support file qd.019.\r\n"
            "Setup installs it into the system folder as RZ.LOG.\r\n"
            "On Linux it carries no runtime code; it keeps the disc's file table whole.\r\n");
}

TEST(SupportFileWriter, AFileThatCannotBeWrittenWholeFailsTheRun) {
  // Every file is a full disk: opening it works, writing it out does not.
  QTemporaryDir folder;
  const fs::path path = folder.path().toStdString();
  for (const setup::SupportFile& file : setup::supportFileTable)
    fs::create_symlink("/dev/full", path / std::string(file.source));
  const WriterRun run = writeSupportFiles(path);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.errors, "cannot write " + (path / "qd.001").string() + "\n");
}

}  // namespace
