#include "catalogue/bmp_picture.h"

#include <cstring>
#include <string>

namespace tolvar {

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;

uint32_t u32(std::string_view b, std::size_t at) {
  return uint32_t{static_cast<uint8_t>(b[at])} | (uint32_t{static_cast<uint8_t>(b[at + 1])} << 8) |
         (uint32_t{static_cast<uint8_t>(b[at + 2])} << 16) | (uint32_t{static_cast<uint8_t>(b[at + 3])} << 24);
}
uint16_t u16(std::string_view b, std::size_t at) {
  return static_cast<uint16_t>(uint16_t{static_cast<uint8_t>(b[at])} |
                               (uint16_t{static_cast<uint8_t>(b[at + 1])} << 8));
}
int32_t i32(std::string_view b, std::size_t at) { return static_cast<int32_t>(u32(b, at)); }

void put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

}  // namespace

std::optional<Picture> decodeBmp(std::string_view bytes) {
  if (bytes.size() < fileHeaderSize + infoHeaderSize) return std::nullopt;
  if (bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const uint64_t pixelOffset = u32(bytes, 10);
  const uint64_t headerSize = u32(bytes, 14);
  if (headerSize < infoHeaderSize || fileHeaderSize + headerSize > bytes.size()) return std::nullopt;
  const int32_t width = i32(bytes, 18);
  const int32_t rawHeight = i32(bytes, 22);
  if (u16(bytes, 26) != 1 || u16(bytes, 28) != 24 || u32(bytes, 30) != 0) return std::nullopt;
  if (width <= 0 || width > maxPictureSide) return std::nullopt;
  if (rawHeight == 0 || rawHeight < -maxPictureSide || rawHeight > maxPictureSide) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  const uint64_t stride = (uint64_t(width) * 3 + 3) & ~uint64_t{3};
  if (pixelOffset < fileHeaderSize + headerSize) return std::nullopt;
  if (pixelOffset + stride * uint64_t(height) > bytes.size()) return std::nullopt;

  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int sourceRow = topDown ? y : height - 1 - y;
    const std::size_t row = static_cast<std::size_t>(pixelOffset + stride * uint64_t(sourceRow));
    for (int x = 0; x < width; ++x) {
      const std::size_t p = row + static_cast<std::size_t>(x) * 3;
      picture.pixels[static_cast<std::size_t>(y) * width + x] =
          rgb(static_cast<uint8_t>(bytes[p + 2]), static_cast<uint8_t>(bytes[p + 1]),
              static_cast<uint8_t>(bytes[p]));
    }
  }
  return picture;
}

std::string encodeBmp(const Picture& picture) {
  const uint32_t stride = (uint32_t(picture.width) * 3 + 3) & ~uint32_t{3};
  const uint32_t pixelBytes = stride * uint32_t(picture.height);
  std::string out;
  out.reserve(fileHeaderSize + infoHeaderSize + pixelBytes);
  out += "BM";
  put32(out, uint32_t(fileHeaderSize + infoHeaderSize) + pixelBytes);
  put32(out, 0);
  put32(out, uint32_t(fileHeaderSize + infoHeaderSize));
  put32(out, uint32_t(infoHeaderSize));
  put32(out, uint32_t(picture.width));
  put32(out, uint32_t(picture.height));  // bottom-up
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);
  put32(out, pixelBytes);
  put32(out, 2835);
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t c = picture.at(x, y);
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>((c >> 8) & 0xFF));
      out.push_back(static_cast<char>((c >> 16) & 0xFF));
    }
    for (uint32_t pad = uint32_t(picture.width) * 3; pad < stride; ++pad) out.push_back('\0');
  }
  return out;
}

void drawPictureTransparent(const Picture& picture, uint32_t transparent, uint32_t* surface,
                            int surfaceWidth, int surfaceHeight, int x, int y) {
  for (int row = 0; row < picture.height; ++row) {
    const int sy = y + row;
    if (sy < 0 || sy >= surfaceHeight) continue;
    for (int col = 0; col < picture.width; ++col) {
      const int sx = x + col;
      if (sx < 0 || sx >= surfaceWidth) continue;
      const uint32_t c = picture.at(col, row);
      if (c == transparent) continue;
      surface[static_cast<std::size_t>(sy) * surfaceWidth + sx] = c;
    }
  }
}

}  // namespace tolvar
