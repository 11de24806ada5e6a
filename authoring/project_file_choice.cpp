#include "project_file_choice.h"

#include "dialogs/dialog_service.h"
#include "form5.h"

bool chooseFileForProject(Form5& form, const QString& noProjectMessage, const QString& pattern) {
  if (form.sDirectory.isEmpty()) {
    platform::dialogs().MsgBox(noProjectMessage, platform::vbOKOnly, QStringLiteral("Quendrel."));
    return false;
  }
  if (!form.projectEditable()) return false;
  form.file_var.clear();
  form.dialog().showDialog(pattern);
  return !form.file_var.isEmpty();
}
