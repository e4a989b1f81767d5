#include "catalogue/bmp_picture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tolvar {
namespace {

Picture gradient(int w, int h) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p.pixels.push_back(rgb(uint8_t(x * 7), uint8_t(y * 5), uint8_t(x + y)));
  }
  return p;
}

void put32(std::string& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void put16(std::string& b, std::size_t at, uint16_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>(v >> 8);
}

TEST(BmpPicture, RoundTripsThePicturesTheProgramMakes) {
  for (auto [w, h] : {std::pair{32, 32}, std::pair{3, 5}, std::pair{1, 1}}) {
    const Picture original = gradient(w, h);
    const auto decoded = decodeBmp(encodeBmp(original));
    ASSERT_TRUE(decoded) << w << "x" << h;
    EXPECT_EQ(decoded->width, w);
    EXPECT_EQ(decoded->height, h);
    EXPECT_EQ(decoded->pixels, original.pixels);
  }
}

TEST(BmpPicture, ReadsTopDownRows) {
  std::string bytes = encodeBmp(gradient(2, 2));
  // Flip to top-down: negative height, rows swapped.
  put32(bytes, 22, static_cast<uint32_t>(-2));
  const std::size_t stride = 8;
  std::string rows = bytes.substr(54);
  bytes.replace(54, stride, rows.substr(stride, stride));
  bytes.replace(54 + stride, stride, rows.substr(0, stride));
  const auto decoded = decodeBmp(bytes);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pixels, gradient(2, 2).pixels);
}

TEST(BmpPicture, DamagedOrHostilePicturesDecodeToNothing) {
  const std::string good = encodeBmp(gradient(32, 32));
  struct Case {
    const char* what;
    std::function<void(std::string&)> damage;
  };
  const Case cases[] = {
      {"empty", [](std::string& b) { b.clear(); }},
      {"truncated header", [](std::string& b) { b.resize(40); }},
      {"truncated pixels", [](std::string& b) { b.resize(b.size() - 1); }},
      {"not BM", [](std::string& b) { b[0] = 'X'; }},
      {"header size beyond blob", [](std::string& b) { put32(b, 14, 0x7FFFFFF0u); }},
      {"header size too small", [](std::string& b) { put32(b, 14, 12); }},
      {"huge width", [](std::string& b) { put32(b, 18, 0x40000000u); }},
      {"huge height", [](std::string& b) { put32(b, 22, 0x40000000u); }},
      {"most negative height", [](std::string& b) { put32(b, 22, 0x80000000u); }},
      {"zero width", [](std::string& b) { put32(b, 18, 0); }},
      {"negative width", [](std::string& b) { put32(b, 18, static_cast<uint32_t>(-32)); }},
      {"zero height", [](std::string& b) { put32(b, 22, 0); }},
      {"two planes", [](std::string& b) { put16(b, 26, 2); }},
      {"32 bits", [](std::string& b) { put16(b, 28, 32); }},
      {"8 bits", [](std::string& b) { put16(b, 28, 8); }},
      {"RLE compressed", [](std::string& b) { put32(b, 30, 1); }},
      {"stride overflow", [](std::string& b) { put32(b, 18, 1024); put32(b, 22, 1024); }},
      {"pixel offset beyond blob", [](std::string& b) { put32(b, 10, 0xFFFFFFF0u); }},
      {"pixel offset inside header", [](std::string& b) { put32(b, 10, 20); }},
  };
  for (const Case& c : cases) {
    std::string bytes = good;
    c.damage(bytes);
    EXPECT_FALSE(decodeBmp(bytes)) << c.what;
  }
}

TEST(BmpPicture, TransparentDrawingSkipsTheKeyColourAndClips) {
  Picture p;
  p.width = 2;
  p.height = 2;
  const uint32_t key = rgb(128, 128, 255);
  p.pixels = {key, rgb(1, 2, 3), rgb(4, 5, 6), key};
  std::vector<uint32_t> surface(9, 0xABCDEF);
  drawPictureTransparent(p, key, surface.data(), 3, 3, 2, 2);  // only (0,0) of p lands
  EXPECT_EQ(surface[8], 0xABCDEFu);                             // transparent
  drawPictureTransparent(p, key, surface.data(), 3, 3, -1, 0);  // (1,0) -> (0,0), (1,1) key
  EXPECT_EQ(surface[0], rgb(1, 2, 3));
  EXPECT_EQ(surface[3], 0xABCDEFu);
}

}  // namespace
}  // namespace tolvar
