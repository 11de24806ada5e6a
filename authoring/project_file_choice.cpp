#include "project_file_choice.h"

#include "form5.h"

bool chooseFileForProject(Form5& form, const QString& noProjectMessage, const QString& pattern) {
  if (!form.projectEditable(noProjectMessage)) return false;
  form.file_var.clear();
  form.dialog().showDialog(pattern);
  return !form.file_var.isEmpty();
}
