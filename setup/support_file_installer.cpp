#include "support_file_installer.h"

#include <sys/stat.h>

#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "dialogs/dialog_service.h"
#include "file_io.h"
#include "store_error.h"
#include "support_file_table.h"
#include "system/file_services.h"
#include "system/process_launcher.h"

namespace setup {
namespace {

// 1601-01-01 to 1970-01-01 in 100 ns units.
constexpr std::uint64_t kFileTimeOfUnixEpoch = 116444736000000000ull;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool canOpenForReading(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return false;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

// The targets that no copy has installed, with the sources whose copies to
// them failed: a later pair that installs the same target takes it off
// (VB6STKIT.DLL has two sources).
class NotInstalled {
 public:
  void failed(const SupportFile& pair, const QString& error) {
    auto it = std::find_if(targets_.begin(), targets_.end(), [&](const Target& t) { return t.name == pair.target; });
    if (it == targets_.end()) it = targets_.insert(targets_.end(), Target{pair.target, {}});
    it->failures.emplace_back(qs(pair.source), error);
  }
  void installed(std::string_view target) {
    std::erase_if(targets_, [&](const Target& t) { return t.name == target; });
  }
  bool empty() const { return targets_.empty(); }

  // A line a target: its name, then the failed sources in brackets, each
  // run of the same error once ("VB6STKIT.DLL (qd.020, qd.027): File not found").
  QStringList lines() const {
    QStringList lines;
    for (const Target& target : targets_) {
      QStringList parts;
      for (std::size_t i = 0; i < target.failures.size();) {
        QStringList sources;
        const QString& error = target.failures[i].second;
        for (; i < target.failures.size() && target.failures[i].second == error; ++i)
          sources << target.failures[i].first;
        parts << "(" + sources.join(", ") + "): " + error;
      }
      lines << qs(target.name) + " " + parts.join("; ");
    }
    return lines;
  }

 private:
  struct Target {
    std::string_view name;
    std::vector<std::pair<QString, QString>> failures;  // source, error
  };
  std::vector<Target> targets_;
};

}  // namespace

std::optional<std::uint64_t> lastWriteFileTime(const fs::path& path) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  const auto ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return kFileTimeOfUnixEpoch + static_cast<std::uint64_t>(ns / 100);
}

SupportFileInstaller::SupportFileInstaller(std::string systemDir, fs::path discFolder)
    : systemDir_(std::move(systemDir)), discFolder_(std::move(discFolder)), copier_(store::copyFileAtomically) {}

bool SupportFileInstaller::ShouldInstall(const fs::path& targetPath, const fs::path& sourcePath, bool reinstall) {
  if (!canOpenForReading(targetPath)) return true;
  if (!reinstall) return false;
  const auto target = lastWriteFileTime(targetPath);
  const auto source = lastWriteFileTime(sourcePath);
  if (!target || !source) return false;
  const auto targetHigh = static_cast<std::uint32_t>(*target >> 32);
  const auto sourceHigh = static_cast<std::uint32_t>(*source >> 32);
  if (targetHigh == sourceHigh) return false;
  const QString age = targetHigh < sourceHigh ? "Newer" : "Older";
  const QString prompt = "The file that is about to be installed\n is " + age +
                         " than the file that is currently installed on your computer.\n"
                         " Do you want to Install it anyway ?";
  return platform::dialogs().MsgBox(prompt, platform::vbYesNo, qs(targetPath.filename().string())) ==
         platform::vbYes;
}

void SupportFileInstaller::InstallSupportFiles(bool reinstall) {
  const fs::path marker = fs::path(systemDir_) / std::string(kInstalledMarker);
  if (canOpenForReading(marker)) {
    if (!reinstall) {
      startPlayer();
      return;
    }
    if (platform::dialogs().MsgBox("An Old Instalation Has been detected.\nReinstall ?", platform::vbYesNo,
                                   "Reinstall ?") != platform::vbYes) {
      startPlayer();
      return;
    }
    ::chmod(marker.c_str(), 0644);
    std::error_code ec;
    fs::remove(marker, ec);
  }

  // The marker goes last, and only when no copy before it failed: it is what
  // tells the next start that the install is complete.
  bool aCopyFailed = false;
  NotInstalled notInstalled;
  const SupportFile* markerPair = nullptr;
  auto installOne = [&](const SupportFile& pair) {
    const fs::path target = fs::path(systemDir_) / std::string(pair.target);
    const fs::path source = discFolder_ / std::string(pair.source);
    if (!ShouldInstall(target, source, reinstall)) return;
    try {
      copier_(source, target);
      notInstalled.installed(pair.target);
    } catch (const store::StoreError& e) {
      aCopyFailed = true;
      notInstalled.failed(pair, QString::fromUtf8(e.what()));
    }
  };
  for (const auto& pair : supportFileTable) {
    if (pair.target == kInstalledMarker) {
      markerPair = &pair;
      continue;
    }
    installOne(pair);
  }
  if (!aCopyFailed && markerPair) installOne(*markerPair);
  if (!notInstalled.empty()) {
    platform::dialogs().MsgBox("These files could not be installed:\n" + notInstalled.lines().join("\n") +
                                   "\nSetup will try again the next time it starts.",
                               platform::vbOKOnly | platform::vbCritical);
  }
  startPlayer(aCopyFailed);
}

bool SupportFileInstaller::startPlayer(bool installFailed) {
  const auto player = platform::findNoCase(discFolder_.string(), "qd.exe");
  platform::ProcessStart start;
  start.program = qs((discFolder_ / (player ? *player : std::string("qd.exe"))).string());
  start.workingDirectory = qs(discFolder_.string());
  start.style = platform::WindowStyle::Normal;
  if (installFailed) start.environment << QString::fromLatin1(platform::kInstallTriedVariable) + "=1";
  return platform::processLauncher().start(start);
}

}  // namespace setup
