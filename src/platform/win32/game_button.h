// The game-button control: an owner-drawn child window with the template button's look
// (normal, hot and pressed states, two pictures, a word-wrapped caption) that reports its
// mouse, wheel and key events to the program's handlers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "catalogue/bmp_picture.h"
#include "platform/platform.h"

namespace tolvar::win32 {

inline constexpr const char* gameButtonClassName = "TolvarGameButton";

// Colours of the template button.
inline constexpr COLORREF normalBackground = RGB(0, 0, 0);
inline constexpr COLORREF normalCaption = RGB(255, 255, 255);
inline constexpr COLORREF hotBackground = RGB(42, 42, 42);
inline constexpr COLORREF hotCaption = RGB(236, 236, 236);
inline constexpr uint32_t normalPictureKey = rgb(128, 128, 255);
inline constexpr int pictureTop = 3;

struct GameButtonData {
  std::string name;
  std::string tag;
  bool normalEmpty = true;
  bool hotEmpty = true;
  std::optional<Picture> normalPicture;  // nothing when the bytes were not a valid BMP
  std::optional<Picture> hotPicture;
  bool hot = false;
  bool pressed = false;
  bool tracking = false;
  EventSink** sink = nullptr;  // the platform's sink slot
  HFONT font = nullptr;        // the platform's caption font
};

bool registerGameButtonClass(HINSTANCE instance, HCURSOR cursor);
HWND createGameButton(HINSTANCE instance, HWND parent, const RECT& place, const char* caption,
                      EventSink** sink, HFONT font);
GameButtonData* gameButtonData(HWND button);
void setGameButtonPictures(HWND button, const Bytes& normal, const Bytes& hot);

// Draws the button as it looks now into any device context (paint, print, tests).
void drawGameButton(HWND button, HDC target);

}  // namespace tolvar::win32
