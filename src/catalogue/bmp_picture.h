// Game pictures arrive from the store as BMP file images, which anybody could have put
// there. decodeBmp accepts only the one form the program makes (24 bits, one plane, no
// compression, sane dimensions, every pixel row inside the blob) and yields plain pixels;
// anything else yields nothing, so a damaged or hostile picture draws nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tolvar {

// 0x00RRGGBB, rows top-down.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr int maxPictureSide = 1024;

std::optional<Picture> decodeBmp(std::string_view bytes);

// A 24-bit BMP file image of the picture (what the icon capture stores).
std::string encodeBmp(const Picture& picture);

constexpr uint32_t rgb(uint8_t r, uint8_t g, uint8_t b) {
  return (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}

// Copies the picture onto a 0x00RRGGBB top-down surface at (x, y), leaving the pixels of
// the transparent colour out and clipping at the surface's edges.
void drawPictureTransparent(const Picture& picture, uint32_t transparent, uint32_t* surface,
                            int surfaceWidth, int surfaceHeight, int x, int y);

}  // namespace tolvar
