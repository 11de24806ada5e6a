// dop.qd / cvrd.qd reader: records stay inside the bytes, and unpacking writes
// only plain names inside its target folder.
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "pack_file.h"
#include "store_error.h"

namespace fs = std::filesystem;

namespace {

// The work folder's path as the signal handler reads it: written once,
// before the handler may run.
char workPath[PATH_MAX];
volatile std::sig_atomic_t workMade = 0;
// The thread that writes the work folder.
pthread_t inputThread;

// The signals that stop a run from outside.
sigset_t stopSignals() {
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  return stops;
}

// Removes `name` in the folder `at`, a folder with all it holds, by system
// calls alone: it runs in a signal handler.
void removeNow(int at, const char* name) {
  if (::unlinkat(at, name, 0) == 0 || errno == ENOENT) return;
  const int folder = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder < 0) return;
  alignas(dirent64) char entries[4096];
  for (ssize_t n; (n = ::getdents64(folder, entries, sizeof entries)) > 0;) {
    for (ssize_t offset = 0; offset < n;) {
      const auto* entry = reinterpret_cast<const dirent64*>(entries + offset);
      offset += entry->d_reclen;
      if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
        removeNow(folder, entry->d_name);
    }
  }
  ::close(folder);
  ::unlinkat(at, name, AT_REMOVEDIR);
}

// Ctrl+C or a kill ends the run as the signal ends any program, without the
// work folder: libFuzzer's own handler would leave it and exit with 72. The
// thread that writes the folder takes the signal, so that nothing more is
// written into the folder once it is removed.
extern "C" void stopBySignal(int signal) {
  const int savedErrno = errno;
  if (!pthread_equal(pthread_self(), inputThread)) {
    pthread_kill(inputThread, signal);
  } else {
    if (workMade) removeNow(AT_FDCWD, workPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);  // taken once this handler returns
  }
  errno = savedErrno;
}

// The fuzzer's own folder in the temporary folder, made at the first input.
// libFuzzer ends a run that has reached its -runs or -max_total_time with
// exit(), which destroys this static object: the folder goes with the run.
struct WorkFolder {
  fs::path path = [] {
    std::string tmpl = (fs::temp_directory_path() / "quendrel-fuzz-XXXXXX").string();
    if (tmpl.size() >= sizeof workPath) std::abort();
    // A stop waits until the handler knows the folder it is to remove.
    const sigset_t stops = stopSignals();
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &stops, &before);
    if (!::mkdtemp(tmpl.data())) std::abort();
    std::memcpy(workPath, tmpl.c_str(), tmpl.size() + 1);
    workMade = 1;
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return fs::path(tmpl);
  }();
  ~WorkFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

}  // namespace

// Runs before libFuzzer installs its signal handlers, which leave a handler
// that is there already in place.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  inputThread = pthread_self();
  struct sigaction stop {};
  stop.sa_handler = stopBySignal;
  stop.sa_mask = stopSignals();
  sigaction(SIGINT, &stop, nullptr);
  sigaction(SIGTERM, &stop, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t total = 0;
  store::forEachPackRecord({data, size}, [&](const store::PackRecordView& r) {
    if (r.memberData.data() < data || r.memberData.data() + r.memberData.size() > data + size) std::abort();
    total += r.memberData.size();
  });
  if (total > size) std::abort();

  static const WorkFolder work;
  const fs::path& root = work.path;
  // What the last input left; anything else in the folder stopped that run.
  fs::remove_all(root / "target");
  fs::remove(root / "p.qd");
  fs::create_directory(root / "target");
  { std::ofstream(root / "p.qd", std::ios::binary).write(reinterpret_cast<const char*>(data), size); }
  try {
    for (const auto& name : store::unpackFiles(root / "p.qd", root / "target"))
      if (!store::isPlainFileName(name)) std::abort();
  } catch (const store::StoreError&) {
  }
  for (const auto& e : fs::directory_iterator(root))
    if (e.path().filename() != "target" && e.path().filename() != "p.qd") std::abort();  // escaped the folder
  return 0;
}
