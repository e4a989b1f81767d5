#include "platform/win32/game_button.h"

#include <windowsx.h>

#include <memory>
#include <utility>

#include "base/fatal.h"
#include "platform/win32/input.h"
#include "platform/win32/scoped.h"

namespace tolvar::win32 {

namespace {

template <typename F>
void notify(GameButtonData* data, F&& call) noexcept {
  if (data && data->sink) callHandlers(*data->sink, std::forward<F>(call));
}

void setHot(HWND window, GameButtonData* data, bool hot) {
  if (data->hot == hot) return;
  data->hot = hot;
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK gameButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  GameButtonData* data = gameButtonData(window);
  if (!data) return DefWindowProcA(window, message, wParam, lParam);
  const WindowId id = reinterpret_cast<WindowId>(window);

  switch (message) {
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete data;
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(window);
      drawGameButton(window, paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      drawGameButton(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_MOUSEMOVE:
      if (!data->tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        data->tracking = TrackMouseEvent(&track) != FALSE;
      }
      setHot(window, data, true);
      return 0;
    case WM_MOUSELEAVE:
      data->tracking = false;
      if (!data->pressed) setHot(window, data, false);
      return 0;
    case WM_LBUTTONDOWN: {
      data->pressed = true;
      setHot(window, data, true);
      InvalidateRect(window, nullptr, FALSE);
      SetCapture(window);
      const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const int keys = keyStateOf(wParam);
      notify(data, [&](EventSink& sink) { sink.onButtonMouseDown(id, MouseButton::left, at, keys); });
      return 0;
    }
    case WM_LBUTTONUP: {
      const bool wasPressed = data->pressed;
      data->pressed = false;
      if (GetCapture() == window) ReleaseCapture();
      const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT client;
      GetClientRect(window, &client);
      const bool inside = at.x >= 0 && at.y >= 0 && at.x < client.right && at.y < client.bottom;
      setHot(window, data, inside);
      InvalidateRect(window, nullptr, FALSE);
      const int keys = keyStateOf(wParam);
      notify(data, [&](EventSink& sink) { sink.onButtonMouseUp(id, MouseButton::left, at, keys); });
      // The handler may have removed this button; look again before the click.
      if (wasPressed && inside && IsWindow(window)) {
        notify(gameButtonData(window), [&](EventSink& sink) { sink.onButtonClicked(id); });
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (data->pressed && reinterpret_cast<HWND>(lParam) != window) {
        data->pressed = false;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_RBUTTONDOWN: {
      const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const int keys = keyStateOf(wParam);
      notify(data, [&](EventSink& sink) { sink.onButtonMouseDown(id, MouseButton::right, at, keys); });
      return 0;
    }
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      const int keys = keyStateOf(GET_KEYSTATE_WPARAM(wParam));
      notify(data, [&](EventSink& sink) { sink.onButtonWheel(id, notches, keys); });
      return 0;
    }
    case WM_KEYDOWN: {
      const int key = static_cast<int>(wParam);
      const int keys = currentKeyState();
      notify(data, [&](EventSink& sink) { sink.onButtonKey(id, key, keys); });
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool registerGameButtonClass(HINSTANCE instance, HCURSOR cursor) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_PARENTDC;
  wc.lpfnWndProc = gameButtonProc;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.lpszClassName = gameButtonClassName;
  return RegisterClassExA(&wc) != 0;
}

HWND createGameButton(HINSTANCE instance, HWND parent, const RECT& place, const char* caption,
                      EventSink** sink, HFONT font) {
  auto data = std::make_unique<GameButtonData>();
  data->name = caption;
  data->sink = sink;
  data->font = font;
  HWND button = CreateWindowExA(0, gameButtonClassName, caption, WS_CHILD | WS_CLIPSIBLINGS, place.left,
                                place.top, place.right - place.left, place.bottom - place.top, parent, nullptr,
                                instance, data.get());
  if (button) data.release();  // owned by the window now, freed at WM_NCDESTROY
  return button;
}

GameButtonData* gameButtonData(HWND button) {
  return reinterpret_cast<GameButtonData*>(GetWindowLongPtrA(button, GWLP_USERDATA));
}

void setGameButtonPictures(HWND button, const Bytes& normal, const Bytes& hot) {
  GameButtonData* data = gameButtonData(button);
  if (!data) return;
  data->normalEmpty = normal.empty();
  data->hotEmpty = hot.empty();
  data->normalPicture = decodeBmp(normal);
  data->hotPicture = decodeBmp(hot);
  InvalidateRect(button, nullptr, FALSE);
}

void drawGameButton(HWND button, HDC target) {
  GameButtonData* data = gameButtonData(button);
  if (!data) return;
  RECT client;
  GetClientRect(button, &client);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return;

  MemoryDc memory(target);
  DibSurface surface = makeDibSurface(target, width, height);
  if (!memory.get() || !surface.bitmap || !surface.pixels) return;
  ScopedSelect selectBitmap(memory.get(), surface.bitmap.get());

  const bool hot = data->hot || data->pressed;
  const int shift = data->pressed ? 1 : 0;

  // Background: the bar's black, and in the hot state the rounded dark-grey rectangle
  // with its black outline.
  {
    GdiObject<HBRUSH> black(CreateSolidBrush(normalBackground));
    FillRect(memory.get(), &client, black.get());
    if (hot) {
      GdiObject<HBRUSH> fill(CreateSolidBrush(hotBackground));
      GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
      ScopedSelect brush(memory.get(), fill.get());
      ScopedSelect pen(memory.get(), outline.get());
      RoundRect(memory.get(), 0, 0, width, height, 8, 8);
    }
  }
  GdiFlush();

  // The state's picture, or the other one when it is empty.
  bool useHot = hot ? !data->hotEmpty || data->normalEmpty : data->normalEmpty && !data->hotEmpty;
  const std::optional<Picture>& picture = useHot ? data->hotPicture : data->normalPicture;
  int pictureHeight = 32;
  if (picture) {
    const uint32_t key = useHot ? picture->at(0, 0) : normalPictureKey;
    drawPictureTransparent(*picture, key, surface.pixels, width, height, (width - picture->width) / 2 + shift,
                           pictureTop + shift);
    pictureHeight = picture->height;
  }

  // The caption, centred and word-wrapped below the picture.
  if (!data->name.empty()) {
    ScopedSelect font(memory.get(), data->font ? static_cast<HGDIOBJ>(data->font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), hot ? hotCaption : normalCaption);
    RECT text{shift, pictureTop + pictureHeight + 2 + shift, width + shift, height + shift};
    DrawTextA(memory.get(), data->name.c_str(), static_cast<int>(data->name.size()), &text,
              DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  }

  BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace tolvar::win32
