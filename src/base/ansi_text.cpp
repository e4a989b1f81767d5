#include "base/ansi_text.h"

#include <limits>

namespace tolvar {

std::size_t lastSeparator(std::string_view text, char separator) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (isLeadByte(b) && i + 1 < text.size()) {
      i += 2;
      continue;
    }
    if (text[i] == separator) found = i;
    ++i;
  }
  return found;
}

std::string_view cutToBytes(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t width = (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
    end = i;
  }
  return text.substr(0, end);
}

namespace {

// Full-width forms first: a GB2312 row-3 character (0xA3, 0xA1..0xFE) stands for the
// ASCII character of its trail byte's low seven bits; 0xA1 0xA1 is the ideographic space.
std::string mapFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (isLeadByte(b) && i + 1 < text.size()) {
      unsigned char t = static_cast<unsigned char>(text[i + 1]);
      if (b == 0xA3 && t >= 0xA1 && t <= 0xFE) {
        out.push_back(static_cast<char>(t & 0x7F));
      } else if (b == 0xA1 && t == 0xA1) {
        out.push_back(' ');
      } else {
        out.push_back(static_cast<char>(b));
        out.push_back(static_cast<char>(t));
      }
      ++i;
      continue;
    }
    out.push_back(static_cast<char>(b));
  }
  return out;
}

bool isAtoiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t textToInt(std::string_view raw) {
  const std::string text = mapFullWidth(raw);
  std::size_t i = 0;
  while (i < text.size() && isAtoiSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate in 64 bits and stop growing once past the 32-bit range, so any number of
  // digits saturates instead of overflowing.
  int64_t value = 0;
  constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value <= limit) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::string intToText(int64_t value) { return std::to_string(value); }

}  // namespace tolvar
