#include "program_folder.h"

#include "path_helpers.h"
#include "system/app_paths.h"
#include "system/file_services.h"

namespace program_folder {

std::string path() { return platform::appPath().toStdString(); }

std::string handle() { return store::setPath(path(), "Handle"); }

std::string mirror(const QString& projectName) { return store::setPath(handle(), projectName.toStdString()); }

std::string file(const std::string& name) {
  return store::setPath(path(), platform::findNoCase(path(), name).value_or(name));
}

}  // namespace program_folder
