// The project list qdd.dat in the program folder, behind the two list boxes
// of the project picker: names in listProjects, folders in listProjectsPath.
#include <vector>

#include "form5.h"
#include "path_helpers.h"
#include "program_folder.h"
#include "project_list.h"

namespace {

std::string projectListPath() {
  return store::setPath(program_folder::path(), store::kProjectListFileName);
}

}  // namespace

void Form5::loadProjectList() {
  listProjects.Clear();
  listProjectsPath.Clear();
  for (const store::ProjectListEntry& entry : store::readProjectList(projectListPath())) {
    listProjects.AddItem(QString::fromStdString(entry.name));
    listProjectsPath.AddItem(QString::fromStdString(entry.folder));
  }
}

void Form5::saveProjectList() {
  std::vector<store::ProjectListEntry> entries;
  for (int i = 0; i < listProjects.ListCount(); ++i)
    entries.push_back({listProjects.List(i).toStdString(), listProjectsPath.List(i).toStdString()});
  store::writeProjectList(projectListPath(), entries);
}
