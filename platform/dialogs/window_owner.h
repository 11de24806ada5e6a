#pragma once
// Which window a new box or modal window belongs to. A window that belongs
// to another is its transient child: a window manager keeps it above its
// owner, and without one it is raised above it when it comes up.

class QWidget;
class QWindow;

namespace platform {

// The window a box or modal window coming up now belongs to: the innermost
// modal window on screen, else the active window when it is on screen, else
// the first window on screen that is not minimised; never `except`; nullptr
// when no window is on screen.
QWindow* ownerWindow(const QWindow* except = nullptr);

// Makes `window` (a top-level widget) a transient child of `owner`, without
// making it a child widget: it neither inherits the owner's disabled state
// nor hands its input to the owner. A null `owner` takes nothing away.
void setOwnerWindow(QWidget& window, QWindow* owner);

// Places `window` over the middle of `owner`, kept on the owner's screen.
void centreOver(QWidget& window, const QWindow& owner);

}  // namespace platform
