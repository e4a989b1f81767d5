// PendingGame: one game on its way from the editor or a drop to a button and a record.
#pragma once

#include <string>

namespace tolvar {

struct PendingGame {
  std::string name;
  std::string path;
  std::string normalImage;  // BMP file image
  std::string hotImage;     // BMP file image

  bool empty() const { return name.empty() && path.empty() && normalImage.empty() && hotImage.empty(); }
  void clear() { *this = PendingGame{}; }
};

}  // namespace tolvar
