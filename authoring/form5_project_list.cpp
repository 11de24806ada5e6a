// The project list qdd.dat in the program folder, behind the two list boxes
// of the project picker: names in listProjects, folders in listProjectsPath.
// Several programs may work on one program folder at once: each change is
// made to the file as it stands, under its lock, never by writing this
// window's boxes over it (project_changes.h).
#include <algorithm>
#include <vector>

#include "form5.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "project_changes.h"
#include "project_list.h"
#include "store_error.h"

namespace {

std::string projectListPath() {
  return store::setPath(program_folder::path(), store::kProjectListFileName);
}

}  // namespace

void Form5::loadProjectList() {
  listProjects.Clear();
  listProjectsPath.Clear();
  // What a program killed during a create or a delete left is dealt with
  // first, so that the picker shows the projects as they are. Where the
  // list cannot be locked or changed the picker shows what it holds.
  try {
    [[maybe_unused]] const project_changes::LockedList dealtWith;
  } catch (const store::StoreError&) {
  }
  for (const store::ProjectListEntry& entry : store::readProjectList(projectListPath())) {
    listProjects.AddItem(QString::fromStdString(entry.name));
    listProjectsPath.AddItem(QString::fromStdString(entry.folder));
  }
}

void Form5::addToProjectList(const QString& name, const QString& folder) {
  project_changes::LockedList list;
  project_changes::Entries entries = list.entries();
  entries.push_back({name.toStdString(), folder.toStdString()});
  list.write(entries);
  showProjectList(entries);
}

std::vector<store::ProjectListEntry> Form5::projectListNow() const { return project_changes::LockedList().entries(); }

void Form5::showProjectList(const std::vector<store::ProjectListEntry>& entries) {
  const auto shown = [this](int i) {
    return store::ProjectListEntry{listProjects.List(i).toStdString(), listProjectsPath.List(i).toStdString()};
  };
  const auto remove = [this](int i) {
    listProjects.RemoveItem(i);
    listProjectsPath.RemoveItem(i);
  };
  // Entries before i are shown as listed; the one shown at i goes unless it
  // is the one listed there or one listed further down.
  const int count = static_cast<int>(entries.size());
  for (int i = 0; i < count; ++i) {
    while (i < listProjects.ListCount() && shown(i) != entries[i] &&
           std::find(entries.begin() + i + 1, entries.end(), shown(i)) == entries.end())
      remove(i);
    if (i < listProjects.ListCount() && shown(i) == entries[i]) continue;
    listProjects.AddItem(QString::fromStdString(entries[i].name), i);
    listProjectsPath.AddItem(QString::fromStdString(entries[i].folder), i);
  }
  while (listProjects.ListCount() > count) remove(listProjects.ListCount() - 1);
}
