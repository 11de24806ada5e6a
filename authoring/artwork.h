#pragma once
// The authoring window's own pictures, drawn in code: the window's backdrop
// (with the pressed looks of its picture buttons, which show when a button
// hides itself under the pointer), the picture buttons and the small icons
// of the album and song buttons.

#include <QPixmap>
#include <QSize>

namespace artwork {

// The window's surface at `size` pixels, the frame of the tabs.
QPixmap windowBackdrop(QSize size);

// Picture buttons, each at the size of its image control; `pressed` is the
// look the backdrop shows beneath it.
QPixmap minimiseButton(bool pressed);
QPixmap nextTabButton(bool pressed);
QPixmap closeButton(bool pressed);
QPixmap helpButton(bool pressed);
// The grip of the build panel.
QPixmap panelGrip();

// The icons of the 375-twip command buttons of the album and song columns.
enum class Glyph {
  MoveUp,
  MoveDown,
  AddAlbum,
  RemoveAlbum,
  RenameAlbum,
  AlbumPicture,
  AddSong,
  DeleteSong,
  RenameSong,
  Lyrics,
};
QPixmap buttonIcon(Glyph glyph);

// Where the picture buttons lie on the window, in pixels.
inline constexpr int kMinimiseX = 0, kMinimiseY = 0;
inline constexpr int kNextTabX = 464, kNextTabY = 6;
inline constexpr int kCloseX = 574, kCloseY = 0;
inline constexpr int kHelpX = 0, kHelpY = 406;
// The bottom strip (help button, build panel, folder size) begins here.
inline constexpr int kBottomStripY = 402;
// The top bar ends here.
inline constexpr int kTopBarHeight = 70;

}  // namespace artwork
