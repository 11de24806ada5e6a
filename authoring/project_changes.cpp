#include "project_changes.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <utility>

#include "file_io.h"
#include "folder_listing.h"
#include "pack_file.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "project_data.h"
#include "store_error.h"
#include "system/file_services.h"

namespace project_changes {

namespace fs = std::filesystem;

namespace {

std::function<void(std::string_view)>& stepHook() {
  static std::function<void(std::string_view)> hook;
  return hook;
}

void step(std::string_view name) {
  if (stepHook()) stepHook()(name);
}

std::string listPath() { return store::setPath(program_folder::path(), store::kProjectListFileName); }

const char kJournalPrefix[] = ".unfinished change ";
const char kRecordFile[] = "record";
const char kRecordMagic[] = "Quendrel project change 1";
const char kMirrorInJournal[] = "mirror";

// A folder as the record knows it: a folder made or put aside by a change is
// only touched while it is still that very folder (or link to one), never
// one of the same name made since.
struct FolderId {
  dev_t device = 0;
  ino_t inode = 0;
  bool known() const { return inode != 0; }
};

std::optional<FolderId> idOf(const std::string& path) {
  struct stat st{};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0 || !(S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode)))
    return std::nullopt;
  return FolderId{st.st_dev, st.st_ino};
}

bool isFolder(const std::string& path, const FolderId& id) {
  const std::optional<FolderId> now = idOf(path);
  return id.known() && now && now->device == id.device && now->inode == id.inode;
}

std::string idText(const FolderId& id) {
  return id.known() ? std::to_string(id.device) + ":" + std::to_string(id.inode) : std::string();
}

FolderId idFromText(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return {};
  try {
    return {static_cast<dev_t>(std::stoull(text.substr(0, colon))), static_cast<ino_t>(std::stoull(text.substr(colon + 1)))};
  } catch (const std::exception&) {
    return {};
  }
}

// What one change made or put aside. A create builds `projectAside` and the
// mirror inside its record folder; a delete moves the project folder to
// `projectAside` and the mirror into its record folder.
struct Record {
  std::string kind;  // "create" or "delete"
  std::string name;
  std::string folder;
  std::string projectAside;  // empty: the change has no project folder to deal with
  FolderId projectId;
  std::string mirror;  // empty: no mirror
  std::string mirrorAside;
  FolderId mirrorId;

  bool listedIn(const Entries& entries) const {
    return std::find(entries.begin(), entries.end(), store::ProjectListEntry{name, folder}) != entries.end();
  }
};

std::string encode(const Record& r) {
  std::string out = kRecordMagic;
  for (const std::string& field : {r.kind, r.name, r.folder, r.projectAside, idText(r.projectId), r.mirror,
                                   r.mirrorAside, idText(r.mirrorId)}) {
    out += '\0';
    out += field;
  }
  return out;
}

std::optional<Record> decode(const store::Bytes& bytes) {
  std::vector<std::string> fields(1);
  for (std::uint8_t b : bytes) {
    if (b == 0)
      fields.emplace_back();
    else
      fields.back() += static_cast<char>(b);
  }
  if (fields.size() != 9 || fields[0] != kRecordMagic) return std::nullopt;
  Record r{fields[1], fields[2], fields[3], fields[4], idFromText(fields[5]), fields[6], fields[7],
           idFromText(fields[8])};
  if ((r.kind != "create" && r.kind != "delete") || r.folder.empty()) return std::nullopt;
  return r;
}

// A hidden name beside `place` that nothing has: ".<name>.<what>-XXXXXX".
std::string freeNameBeside(const std::string& place, const std::string& name, const char* what) {
  static std::mt19937 random{std::random_device{}()};
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  const fs::path folder = fs::path(place).parent_path();
  for (;;) {
    std::string suffix;
    for (int i = 0; i < 6; ++i) suffix += letters[random() % (sizeof letters - 1)];
    const fs::path candidate = folder / ("." + name + "." + what + "-" + suffix);
    struct stat st{};
    if (::lstat(candidate.c_str(), &st) != 0 && errno == ENOENT) return candidate.string();
  }
}

// Never over an existing entry.
void rename(const std::string& from, const std::string& to) {
  if (auto refused = platform::renameNoReplace(from, to)) throw store::StoreError(*refused);
}

void makeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) throw store::StoreError(store::describeErrno(errno));
}

bool removeFolder(const std::string& path) { return !platform::forceDeleteFolder(path).has_value(); }

// The files of the deleted project that could not go stay at its place.
void removePutAsideProject(const Record& r) {
  if (!isFolder(r.projectAside, r.projectId)) return;
  if (!removeProjectFolder(r.projectAside)) platform::renameNoReplace(r.projectAside, r.folder);
}

// Everything a create made, wherever it is; true when nothing of it is left
// outside its record folder.
bool undoCreation(const Record& r) {
  bool gone = true;
  for (const std::string& place : {r.projectAside, r.folder})
    if (isFolder(place, r.projectId)) gone = removeFolder(place) && gone;
  // Made before the record knew it: only ever empty then.
  if (!r.projectId.known() && !r.projectAside.empty()) ::rmdir(r.projectAside.c_str());
  if (isFolder(r.mirror, r.mirrorId)) gone = removeFolder(r.mirror) && gone;
  return gone;
}

// A delete whose list was not written: the folders go back to their places.
bool undoDeletion(const Record& r) {
  bool back = true;
  if (isFolder(r.projectAside, r.projectId)) back = !platform::renameNoReplace(r.projectAside, r.folder) && back;
  if (isFolder(r.mirrorAside, r.mirrorId)) back = !platform::renameNoReplace(r.mirrorAside, r.mirror) && back;
  return back;
}

// A mirror holding a folder inside one of its folders, which the delete
// cannot remove whole.
bool holdsDeeperFolders(const std::string& mirror) {
  std::error_code ec;
  for (fs::directory_iterator sub(mirror, ec), end; !ec && sub != end; sub.increment(ec)) {
    std::error_code typeEc;
    if (sub->symlink_status(typeEc).type() != fs::file_type::directory) continue;
    for (fs::directory_iterator inner(sub->path(), ec); !ec && inner != end; inner.increment(ec))
      if (inner->symlink_status(typeEc).type() == fs::file_type::directory) return true;
  }
  return false;
}

}  // namespace

// ---- The record of a change ---------------------------------------------------

class Journal {
 public:
  // A new record folder under Handle, locked by this object; only under the
  // list lock, so that no one takes it for a dead change's before it is.
  Journal() {
    std::string path = store::setPath(program_folder::handle(), std::string(kJournalPrefix) + "XXXXXX");
    if (!::mkdtemp(path.data())) throw store::StoreError(store::describeErrno(errno));
    folder_ = path;
    fd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0 || ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      remove();
      throw store::StoreError(store::describeErrno(error));
    }
  }
  ~Journal() {
    if (fd_ >= 0) ::close(fd_);
  }
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // The record folder `folder` of a change whose program is gone; nullptr
  // while its change still runs.
  static std::unique_ptr<Journal> ofDeadChange(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return nullptr;
    }
    return std::unique_ptr<Journal>(new Journal(folder, fd));
  }

  std::string mirrorAside() const { return (folder_ / kMirrorInJournal).string(); }

  // The record of this change, as last written.
  Record record;
  void write() { store::writeFileAtomically(folder_ / kRecordFile, encode(record)); }

  std::optional<Record> read() const {
    try {
      return decode(store::readWholeFile(folder_ / kRecordFile));
    } catch (const store::StoreError&) {
      return std::nullopt;
    }
  }

  // The folder with all it holds; false when some of it stays.
  bool remove() { return removeFolder(folder_.string()); }

 private:
  Journal(fs::path folder, int fd) : folder_(std::move(folder)), fd_(fd) {}

  fs::path folder_;
  int fd_ = -1;
};

namespace {

// Runs under the list lock: the changes of killed programs, finished or
// undone as the list tells.
void finishAbandonedChanges(const Entries& listed) {
  std::error_code ec;
  for (fs::directory_iterator it(program_folder::handle(), ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->path().filename().string().starts_with(kJournalPrefix)) continue;
    const std::unique_ptr<Journal> journal = Journal::ofDeadChange(it->path());
    if (!journal) continue;
    const std::optional<Record> record = journal->read();
    // A record folder without its record was made by a change killed before
    // it made anything else.
    bool done = true;
    if (record && record->kind == "create") {
      if (!record->listedIn(listed)) done = undoCreation(*record);
    } else if (record) {
      if (record->listedIn(listed))
        done = undoDeletion(*record);
      else
        removePutAsideProject(*record);
    }
    // A record whose folders could not be dealt with stays for the next one.
    if (done) journal->remove();
  }
}

}  // namespace

// ---- The list under its lock ------------------------------------------------

LockedList::LockedList() : lock_(listPath()), entries_(lock_.read()) { finishAbandonedChanges(entries_); }

void LockedList::write(const Entries& entries) {
  lock_.write(entries);
  entries_ = entries;
}

// ---- Create ------------------------------------------------------------------

Creation::Creation(const std::string& name, const std::string& projectFolder, const Check& check) : check_(check) {
  LockedList list;
  if (!check_(list.entries())) {
    wanted_ = false;
    return;
  }
  std::error_code ec;
  fs::create_directories(program_folder::handle(), ec);
  if (ec) store::throwFileError(ec);
  journal_ = std::make_unique<Journal>();
  Record& r = journal_->record;
  r = {"create", name, projectFolder, freeNameBeside(projectFolder, name, "unfinished"), {},
       program_folder::mirror(QString::fromStdString(name)), journal_->mirrorAside(), {}};
  try {
    // Written before the folders are made, so that none is made unrecorded.
    journal_->write();
    makeFolder(r.projectAside);
    r.projectId = *idOf(r.projectAside);
    makeFolder(r.mirrorAside);
    r.mirrorId = *idOf(r.mirrorAside);
    journal_->write();
    step("create: folders made");
  } catch (...) {
    if (undoCreation(r)) journal_->remove();
    journal_.reset();
    throw;
  }
}

Creation::~Creation() {
  if (!journal_ || committed_) return;
  if (undoCreation(journal_->record)) journal_->remove();
}

const std::string& Creation::projectFolder() const { return journal_->record.projectAside; }

const std::string& Creation::mirror() const { return journal_->record.mirrorAside; }

std::optional<Entries> Creation::commit() {
  const Record& r = journal_->record;
  LockedList list;
  if (!check_(list.entries())) {
    wanted_ = false;
    if (undoCreation(r)) journal_->remove();
    journal_.reset();
    return std::nullopt;
  }
  // A failure from here on leaves the folders to the destructor, which
  // finds them by what they are, at their names or not.
  rename(r.projectAside, r.folder);
  step("create: project named");
  rename(r.mirrorAside, r.mirror);
  step("create: mirror named");
  Entries entries = list.entries();
  entries.push_back({r.name, r.folder});
  list.write(entries);
  committed_ = true;
  step("create: list written");
  journal_->remove();
  return entries;
}

// ---- Delete ------------------------------------------------------------------

Deletion deleteProject(const std::string& name, const std::string& folder) {
  LockedList list;
  const store::ProjectListEntry entry{name, folder};
  Entries entries = list.entries();
  const auto it = std::find(entries.begin(), entries.end(), entry);
  if (it == entries.end()) return {false, entries};
  entries.erase(it);

  const bool hasProject = !folder.empty() && store::FileExists(store::setPath(folder, store::kProjectDataFileName));
  const std::string mirror = program_folder::mirror(QString::fromStdString(name));
  const bool hasMirror = store::isPlainFileName(name) && store::DirExists(mirror);
  if (hasMirror && holdsDeeperFolders(mirror))
    throw store::StoreError("The project's folder in Handle holds folders of its own and cannot be removed; "
                            "nothing was deleted.");
  if (!hasProject && !hasMirror) {
    list.write(entries);
    return {true, entries};
  }

  Journal journal;
  Record& r = journal.record;
  r.kind = "delete";
  r.name = name;
  r.folder = folder;
  if (hasProject) {
    r.projectAside = freeNameBeside(folder, name, "deleting");
    r.projectId = idOf(folder).value_or(FolderId{});
  }
  if (hasMirror) {
    r.mirror = mirror;
    r.mirrorAside = journal.mirrorAside();
    r.mirrorId = idOf(mirror).value_or(FolderId{});
  }
  try {
    journal.write();
    step("delete: record made");
    if (hasProject) rename(folder, r.projectAside);
    step("delete: project put aside");
    if (hasMirror) rename(mirror, r.mirrorAside);
    step("delete: mirror put aside");
    list.write(entries);
  } catch (...) {
    // What cannot go back stays recorded, for the next change to put back.
    if (undoDeletion(r)) journal.remove();
    throw;
  }
  step("delete: list written");
  removePutAsideProject(r);
  step("delete: project removed");
  // A mirror that does not go whole stays with the record, for the next
  // change to remove.
  journal.remove();
  return {true, list.entries()};
}

bool removeProjectFolder(const std::string& folder) {
  if (folder.empty()) return false;
  const fs::path root(folder);
  const auto removeFilesOf = [](const fs::path& dir) {
    for (const std::string& file : store::listFiles(dir, "*.*")) {
      std::error_code ec;
      fs::remove(dir / file, ec);
      if (ec) return false;
    }
    return true;
  };
  if (!removeFilesOf(root)) return false;
  for (const std::string& sub : store::listFolders(root)) {
    const fs::path path = root / sub;
    std::error_code ec;
    // A link to a folder goes itself; what it points at is no part of the
    // project.
    if (fs::is_symlink(path, ec)) {
      if (!fs::remove(path, ec)) return false;
      continue;
    }
    if (!removeFilesOf(path) || ::rmdir(path.c_str()) != 0) return false;
  }
  return ::rmdir(root.c_str()) == 0;
}

namespace testing {
void setStepHook(std::function<void(std::string_view step)> hook) { stepHook() = std::move(hook); }
}  // namespace testing

}  // namespace project_changes
