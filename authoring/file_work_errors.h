#pragma once
// How a command of the program's windows deals with failed file work: most
// show one message box with the error's description and stop; a few step
// over a failing step and go on with the next.

#include <QString>
#include <exception>
#include <functional>
#include <new>

#include "dialogs/dialog_service.h"
#include "store_error.h"

// The error's description, as the messages show it ("Out of memory" when
// memory ran out). A text that goes on with its sentence brings its own
// blank: describe(e) + " Or One of the files is occupied.".
inline QString describe(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error)) return QStringLiteral("Out of memory");
  return QString::fromStdString(error.what());
}

// The error's description and a sentence of the window's own after it, the
// description closed by a full stop unless it ends a sentence already:
// "Permission denied. File or directory are occupied.".
inline QString describeFollowedBy(const std::exception& error, const QString& sentence) {
  const QString description = describe(error);
  if (description.isEmpty()) return sentence;
  const QChar last = description.back();
  const bool ended = last == QLatin1Char('.') || last == QLatin1Char('!') || last == QLatin1Char('?');
  return description + (ended ? QStringLiteral(" ") : QStringLiteral(". ")) + sentence;
}

// One OK box with the error's description, titled `title` (the program's
// title when empty).
inline void showFileWorkError(const std::exception& error, const QString& title = {}) {
  platform::dialogs().MsgBox(describe(error), platform::vbOKOnly, title);
}

// Runs `step`; a file error in it is stepped over.
inline void skippingFileErrors(const std::function<void()>& step) {
  try {
    step();
  } catch (const store::StoreError&) {
  }
}
