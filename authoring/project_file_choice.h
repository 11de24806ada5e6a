#pragma once
// The start that the picture and icon choices share: refused while no
// project is open for editing, then the picker for `pattern`.

#include <QString>

class Form5;

// False (the user told why, or the picker cancelled) unless a file was
// chosen; the choice is then in form.path_var and form.file_var. Without a
// project it shows `noProjectMessage` titled "Quendrel.".
bool chooseFileForProject(Form5& form, const QString& noProjectMessage, const QString& pattern);
