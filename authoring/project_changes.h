#pragma once
// Creating and deleting a project as one change: its project folder, its
// mirror under Handle and its entry in the project list go together or not
// at all, also when the change fails half-way, when the program is killed
// during it, or when another program on the same program folder changes the
// list meanwhile.
//
// The folders are built, or put aside, under hidden names beside their
// places, and take or give up their names only under the list lock, right
// before the list is written. Each change keeps a record of the folders it
// made or put aside in a folder of its own under Handle (".unfinished change
// XXXXXX": no project can have that name, as project names hold no blank),
// locked as long as the change runs. Whoever takes the list lock here first
// deals with the records of changes whose program died: one whose list was
// written is carried out to its end, any other is undone.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project_list.h"

namespace project_changes {

using Entries = std::vector<store::ProjectListEntry>;

// The program folder's project list, locked for the object's life, every
// change that a killed program left unfinished finished or undone. Throws
// store::StoreError when the lock cannot be taken or the list cannot be
// read whole (store::ProjectListLock).
class LockedList {
 public:
  LockedList();
  const Entries& entries() const { return entries_; }
  // Throws store::StoreError; the file and entries() stay as they were then.
  void write(const Entries& entries);

 private:
  store::ProjectListLock lock_;
  Entries entries_;
};

// The record of one change under Handle (project_changes.cpp).
class Journal;

// A new project's two folders, made empty under hidden names beside their
// places for the caller to fill, then given their names together with the
// list entry by commit(). Destroyed uncommitted, it removes what it made.
class Creation {
 public:
  // Runs under the list lock, now and again in commit(), with the list as it
  // stands: throws to refuse the project, answers false when this very
  // project is there already (made meanwhile by another program), which ends
  // the creation quietly.
  using Check = std::function<bool(const Entries& listed)>;

  // The project `name` in the folder `projectFolder` (its place, not made
  // yet), its mirror Handle/name. Throws store::StoreError, or what `check`
  // throws; nothing is left then.
  Creation(const std::string& name, const std::string& projectFolder, const Check& check);
  ~Creation();
  Creation(const Creation&) = delete;
  Creation& operator=(const Creation&) = delete;

  // False when `check` found the project there already: nothing was made.
  bool wanted() const { return wanted_; }
  // Where the project folder and the mirror are built until commit().
  const std::string& projectFolder() const;
  const std::string& mirror() const;

  // Under the list lock: `check` again, both folders take their names and
  // the list gains the entry. Returns the list as written; nullopt when
  // `check` answered false (what was made is gone then). Throws
  // store::StoreError, or what `check` throws, and nothing has its name then.
  std::optional<Entries> commit();

 private:
  bool wanted_ = true;
  bool committed_ = false;
  Check check_;
  std::unique_ptr<Journal> journal_;
};

// What a delete found.
struct Deletion {
  bool deleted = false;  // false: the list no longer names the project as given
  Entries listed;        // the list as it stands afterwards
};

// Deletes the project `name` in `folder`, if the list still names it so:
// its folder (only one that holds a dat.qd: a damaged list must not send the
// delete into any other folder), its mirror, its entry. Throws
// store::StoreError when that cannot be done whole, and nothing is changed
// then; a mirror holding a folder in one of its folders cannot go whole.
// Files of the project folder that cannot go (a folder two levels down) stay
// at its place, unlisted.
Deletion deleteProject(const std::string& name, const std::string& folder);

// Deletes the files of `folder`, of its subfolders, the subfolders and the
// folder itself (a link to a folder goes, what it points at stays); false as
// soon as one of them cannot go, and what went stays gone.
bool removeProjectFolder(const std::string& folder);

namespace testing {
// Called at each step of a change with its name ("create: folders made",
// "create: project named", "create: mirror named", "create: list written",
// "delete: record made", "delete: project put aside", "delete: mirror put
// aside", "delete: list written", "delete: project removed"): the tests make
// a failure or the end of the process come there. None by default.
void setStepHook(std::function<void(std::string_view step)> hook);
}  // namespace testing

}  // namespace project_changes
