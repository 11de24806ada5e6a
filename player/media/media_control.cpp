#include "media_control.h"

namespace media {

void MediaControl::setRect(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

}  // namespace media
