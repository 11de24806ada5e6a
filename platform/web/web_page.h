#pragma once
// Opening a page of the maker's web host in the user's browser, as the
// programs' web links do.

#include <QString>

#include "system/process_launcher.h"

namespace platform {

// Opens webAddress(path) with the desktop's opener in a window of `style`.
// Without a configured host, or when the opener cannot be started, the user
// is told so in a message box and nothing else happens.
void openWebPage(const QString& path, WindowStyle style);

}  // namespace platform
