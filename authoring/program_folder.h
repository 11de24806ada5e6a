#pragma once
// The authoring program's own folder (App.Path) and the places in it: the
// templates and the sample data beside the program, and Handle, which holds
// the mirror folder of every project.

#include <QString>
#include <string>

namespace program_folder {

std::string path();
std::string handle();
// The mirror folder of the project `projectName`: Handle/<name>.
std::string mirror(const QString& projectName);
// A file of the program folder, found whatever the case of its name.
std::string file(const std::string& name);

}  // namespace program_folder
