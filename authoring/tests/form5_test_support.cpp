#include "form5_test_support.h"

#include "dialog.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QApplication>

#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "folder_listing.h"
#include "picture_files.h"
#include "project_list.h"
#include "system/app_paths.h"
#include "window_input.h"

namespace authoring_test {

ScopedWebHost::ScopedWebHost(const QString& host)
    : variable_("QUENDREL_WEB_HOST", host.isEmpty() ? nullptr : host.toStdString().c_str()) {}

ProgramFolder::ProgramFolder() {
  EXPECT_TRUE(dir_.isValid());
  platform::setAppPath(dir_.path());
}

ProgramFolder::~ProgramFolder() { platform::setAppPath({}); }

std::filesystem::path ProgramFolder::path() const { return std::filesystem::path(dir_.path().toStdString()); }

void ProgramFolder::writeProjectList(const std::vector<std::pair<std::string, std::string>>& projects) const {
  std::vector<store::ProjectListEntry> entries;
  for (const auto& [name, folder] : projects) entries.push_back({name, folder});
  store::writeProjectList(path() / "qdd.dat", entries);
}

void ProgramFolder::fillAsShipped() const {
  namespace fs = std::filesystem;
  for (const std::string& name : store::listFiles(PROGRAM_FOLDER, "qd.0*"))
    fs::copy_file(fs::path(PROGRAM_FOLDER) / name, path() / name, fs::copy_options::overwrite_existing);
  store::writeFileAtomically(path() / "rodud.qd", std::string_view("#!/bin/sh\n# launcher\n"));
  store::writeFileAtomically(path() / "rizodu.qd", std::string_view("#!/bin/sh\n# player\n"));
  for (const char* runnable : {"rodud.qd", "rizodu.qd"})
    fs::permissions(path() / runnable, fs::perms::owner_exec | fs::perms::group_exec, fs::perm_options::add);
}

SmallDisk::SmallDisk(const std::filesystem::path& folder, const std::string& size) : folder_(folder) {
  mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
}

bool SmallDisk::resize(const std::string& size) {
  return mounted_ && ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT, ("size=" + size).c_str()) == 0;
}

void SmallDisk::fill(const std::filesystem::path& file) const {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  const std::vector<char> block(4096, 'x');
  while (::write(fd, block.data(), block.size()) > 0) {
  }
  // The last page may still take a few bytes.
  while (::write(fd, block.data(), 1) > 0) {
  }
  ::close(fd);
}

Fakes::Fakes() {
  platform::setProgramTitle(QStringLiteral("Quendrel"));
  controls::setEndHandler([this] { ++programEnds; });
  controls::setLastFormUnloadedHandler([] {});
}

Fakes::~Fakes() {
  controls::setEndHandler({});
  controls::setLastFormUnloadedHandler({});
}

void expectMessage(controls::ScriptedModals& modals, const QString& text) {
  modals.expect<frmMessage>([text](frmMessage& m) {
    EXPECT_EQ(m.Label1.Caption(), text);
    EXPECT_TRUE(m.closeOnClick);
    EXPECT_TRUE(m.Label1.click());
  });
}

void clickEachForHelp(controls::ScriptedModals& modals, const std::vector<HelpText>& helps) {
  for (const HelpText& help : helps) {
    SCOPED_TRACE(help.text.toStdString());
    expectMessage(modals, help.text);
    ASSERT_TRUE(help.control->click());
    EXPECT_EQ(modals.pending(), 0);
  }
}

void tabTo(controls::Form& window, const controls::Control& control) {
  controls::WindowInput user(window);
  for (int i = 0; i < 40 && QApplication::focusWidget() != control.widget(); ++i)
    ASSERT_TRUE(user.key(controls::vbKeyTab));
  ASSERT_EQ(QApplication::focusWidget(), control.widget()) << control.Name().toStdString() << " never took the focus";
}

QString splashText() {
  return QStringLiteral("Quendrel\r\nVersion ") + Form5::versionText() +
         QStringLiteral("\r\nGenerate your own MP3 music collection on CD.");
}

void expectPickerChoice(controls::ScriptedModals& modals, const std::filesystem::path& folder,
                        const std::string& file) {
  modals.expect<Dialog>([folder, file](Dialog& picker) {
    if (file.empty()) {
      EXPECT_TRUE(picker.CancelButton.click());
      return;
    }
    picker.Dir1.setPath(QString::fromStdString(folder.string()));
    int index = -1;
    for (int i = 0; i < picker.File1.ListCount(); ++i)
      if (picker.File1.List(i) == QString::fromStdString(file)) index = i;
    ASSERT_GE(index, 0) << file << " is not listed";
    EXPECT_TRUE(picker.File1.select(index));
    EXPECT_TRUE(picker.OKButton.click());
  });
}

void expectPictureTooBigToHold(Fakes& fakes, const std::filesystem::path& folder, const std::string& file) {
  const QByteArray huge = controls::withClaimedSize(controls::gifFile({8, 8}, Qt::red), {65535, 65535});
  store::writeFileAtomically(folder / file, std::string_view(huge.constData(), std::size_t(huge.size())));
  expectPickerChoice(fakes.modals, folder, file);
  fakes.dialogs->expectMsgBox("Out of memory", platform::vbOK);  // the picker's preview
  fakes.dialogs->expectMsgBox("Out of memory", platform::vbOK);  // the command
}

void loadQuietly(Fakes& fakes, Form5& form) {
  fakes.folder.writeProjectList({});
  std::filesystem::create_directory(fakes.folder.handle());
  fakes.fetcher->alwaysReply("0");
  form.Load();
}

}  // namespace authoring_test
