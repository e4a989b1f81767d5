#include "platform/win32/win32_platform.h"
// (windows.h comes with the header above; commctrl.h builds on it)
#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "app/close_filter.h"
#include "app/texts.h"
#include "base/ansi_text.h"
#include "base/fatal.h"
#include "ids.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/game_button.h"
#include "platform/win32/input.h"

namespace tolvar::win32 {

namespace {

constexpr UINT_PTR autoHideTimerId = 1;

// The bar as designed: 406 x 133 at (50, 50), centred on creation; the template button
// at (32, 24), 50 x 65.
constexpr int designWidth = 406;
constexpr int designHeight = 133;
constexpr RECT templatePlace{32, 24, 32 + 50, 24 + 65};

std::string windowText(HWND window) {
  char buffer[512];
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string className(HWND window) {
  char buffer[256];
  const int length = GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {}

Win32Platform::~Win32Platform() {
  if (trayIcon_) removeTrayIcon();
  if (trayPicture_) DestroyIcon(trayPicture_);
  if (dropTarget_) {
    RevokeDragDrop(bar_);
    dropTarget_->Release();
  }
  if (bar_) DestroyWindow(bar_);
}

bool Win32Platform::createBar() {
  taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
  cursor_ = LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_POINTER));
  if (!cursor_) cursor_ = LoadCursorA(nullptr, IDC_ARROW);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = barProc;
  wc.hInstance = instance_;
  wc.hCursor = cursor_;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = texts::barClassName;
  if (!RegisterClassExA(&wc)) return false;
  if (!registerGameButtonClass(instance_, cursor_)) return false;

  const int x = (GetSystemMetrics(SM_CXSCREEN) - designWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - designHeight) / 2;
  // Borderless, out of the taskbar (tool window), topmost from creation; layered so the
  // opacity can be set before the bar first shows.
  bar_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED, texts::barClassName, "",
                         WS_POPUP | WS_CLIPCHILDREN, x, y, designWidth, designHeight, nullptr, nullptr, instance_,
                         this);
  if (!bar_) return false;

  // The caption font of the game buttons: the system's Chinese UI font at 9 points.
  captionFont_.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体"));
  template_ = createGameButton(instance_, bar_, templatePlace, texts::templateCaption, &sink_, captionFont_.get());
  if (template_) gameButtonData(template_)->tag = "0";

  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, bar_, nullptr, instance_,
                             nullptr);
  return true;
}

LRESULT CALLBACK Win32Platform::barProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return self->handleBarMessage(window, message, wParam, lParam);
}

LRESULT Win32Platform::handleBarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == autoHideTimerId) notify([](EventSink& sink) { sink.onTimer(); });
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      const MouseButton button = message == WM_LBUTTONDOWN ? MouseButton::left : MouseButton::right;
      const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const int keys = keyStateOf(wParam);
      notify([&](EventSink& sink) { sink.onBarMouseDown(button, at, keys); });
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      const MouseButton button = message == WM_LBUTTONUP ? MouseButton::left : MouseButton::right;
      const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const int keys = keyStateOf(wParam);
      notify([&](EventSink& sink) { sink.onBarMouseUp(button, at, keys); });
      return 0;
    }
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      const int keys = keyStateOf(GET_KEYSTATE_WPARAM(wParam));
      notify([&](EventSink& sink) { sink.onBarWheel(notches, keys); });
      return 0;
    }
    case WM_KEYDOWN: {
      const int key = static_cast<int>(wParam);
      const int keys = currentKeyState();
      notify([&](EventSink& sink) { sink.onBarKey(key, keys); });
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) onMenuChosen(LOWORD(wParam));
      return 0;
    case trayCallbackMessage:
      onTrayMessage(lParam);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      bar_ = nullptr;
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      // A restarted Explorer forgets the tray icons: put ours back.
      if (message == taskbarCreatedMessage_ && message != 0 && trayIcon_) addTrayIcon(trayTooltip_);
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Installed over the bar's procedure at start-up: keeps the bar open against the system
// close command and passes everything else on.
LRESULT CALLBACK Win32Platform::barWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (swallowsCloseCommand(message, wParam, lParam)) return 1;
  WNDPROC previous = self ? self->oldWindowProc_ : barProc;
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

bool Win32Platform::openNamedEvent(const std::string& name) {
  UniqueHandle existing(OpenEventA(EVENT_ALL_ACCESS, FALSE, name.c_str()));
  return static_cast<bool>(existing);
}

void Win32Platform::createNamedEvent(const std::string& name) {
  // Kept open for the life of the process: the event marks the running instance.
  instanceEvent_.reset(CreateEventA(nullptr, FALSE, FALSE, name.c_str()));
}

void Win32Platform::messageBox(const std::string& text, const std::string& caption, unsigned style) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

void Win32Platform::exitProcess(int code) { ExitProcess(static_cast<UINT>(code)); }

Size Win32Platform::screenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void Win32Platform::installCloseFilter(WindowId window) {
  // SetWindowLongPtrA rather than SetWindowLongA: a window procedure is 64 bits wide.
  oldWindowProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd(window), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(barWindowProc)));
}

void Win32Platform::registerDropTarget(WindowId window) {
  if (dropTarget_) return;
  dropTarget_ = new DropTarget([this](const std::vector<std::string>& paths) {
    notify([&](EventSink& sink) { sink.onFilesDropped(paths); });
  });
  if (RegisterDragDrop(hwnd(window), dropTarget_) != S_OK) {
    dropTarget_->Release();
    dropTarget_ = nullptr;
  }
}

Rect Win32Platform::windowRect(WindowId window) {
  RECT r{};
  GetWindowRect(hwnd(window), &r);
  if (HWND parent = GetParent(hwnd(window))) {
    // Children report their place inside the parent.
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Platform::setWindowRect(WindowId window, const Rect& rect) {
  SetWindowPos(hwnd(window), nullptr, rect.left, rect.top, rect.width, rect.height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32Platform::setVisible(WindowId window, bool visible) {
  ShowWindow(hwnd(window), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void Win32Platform::setTopmost(WindowId window) {
  SetWindowPos(hwnd(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Platform::setOpacity(WindowId window, int alpha) {
  const LONG_PTR style = GetWindowLongPtrA(hwnd(window), GWL_EXSTYLE);
  if (!(style & WS_EX_LAYERED)) SetWindowLongPtrA(hwnd(window), GWL_EXSTYLE, style | WS_EX_LAYERED);
  SetLayeredWindowAttributes(hwnd(window), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void Win32Platform::setTimerPeriod(int milliseconds) {
  if (milliseconds == timerPeriod_) return;
  timerPeriod_ = milliseconds;
  if (milliseconds <= 0) {
    KillTimer(bar_, autoHideTimerId);
  } else {
    SetTimer(bar_, autoHideTimerId, static_cast<UINT>(milliseconds), nullptr);
  }
}

void Win32Platform::waitWithEvents(int milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void Win32Platform::captureMouse(WindowId window) { SetCapture(hwnd(window)); }

void Win32Platform::releaseCapture() { ReleaseCapture(); }

Point Win32Platform::cursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

WindowId Win32Platform::windowFromPoint(Point p) { return id(WindowFromPoint(POINT{p.x, p.y})); }

WindowId Win32Platform::parentOf(WindowId window) { return id(GetParent(hwnd(window))); }

ForegroundFacts Win32Platform::foregroundFacts() {
  ForegroundFacts facts;
  HWND foreground = GetForegroundWindow();
  if (!foreground) return facts;
  RECT r{};
  if (GetWindowRect(foreground, &r)) {
    facts.right = r.right;
    facts.bottom = r.bottom;
  }
  POINT origin{0, 0};
  if (ClientToScreen(foreground, &origin)) facts.clientOrigin = {origin.x, origin.y};
  // GetWindowTextA on another process's window reads the stored title without sending a
  // message, so a window that does not answer cannot hold the tick up.
  facts.title = windowText(foreground);
  facts.className = className(foreground);
  return facts;
}

Size Win32Platform::templateButtonSize() {
  if (!template_) return {templatePlace.right - templatePlace.left, templatePlace.bottom - templatePlace.top};
  const Rect r = windowRect(id(template_));
  return {r.width, r.height};
}

WindowId Win32Platform::copyTemplateButton() {
  RECT place = templatePlace;
  if (template_) {
    const Rect r = windowRect(id(template_));
    place = {r.left, r.top, r.left + r.width, r.top + r.height};
  }
  HWND button = createGameButton(instance_, bar_, place, texts::templateCaption, &sink_, captionFont_.get());
  if (!button) return 0;
  if (tooltip_) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = bar_;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return id(button);
}

void Win32Platform::setParent(WindowId child, WindowId parent) {
  if (GetParent(hwnd(child)) != hwnd(parent)) SetParent(hwnd(child), hwnd(parent));
}

void Win32Platform::moveWindow(WindowId window, Point topLeft) {
  SetWindowPos(hwnd(window), nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::destroyWindow(WindowId window) {
  if (tooltip_) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar_;
    tool.uId = window;
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  DestroyWindow(hwnd(window));
}

void Win32Platform::setButtonTag(WindowId window, const std::string& tag) {
  if (GameButtonData* data = gameButtonData(hwnd(window))) data->tag = tag;
}

std::string Win32Platform::buttonTag(WindowId window) {
  GameButtonData* data = gameButtonData(hwnd(window));
  return data ? data->tag : std::string();
}

void Win32Platform::setButtonPictures(WindowId window, const Bytes& normal, const Bytes& hot) {
  setGameButtonPictures(hwnd(window), normal, hot);
}

void Win32Platform::setButtonName(WindowId window, const std::string& name) {
  HWND button = hwnd(window);
  if (GameButtonData* data = gameButtonData(button)) data->name = name;
  // The window text is the name too, so screen readers name the button.
  SetWindowTextA(button, name.c_str());
  InvalidateRect(button, nullptr, FALSE);
  if (tooltip_) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar_;
    tool.uId = window;
    tool.lpszText = const_cast<char*>(name.c_str());
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

std::string Win32Platform::readProfileString(const std::string& section, const std::string& key,
                                             const std::string& path) {
  std::vector<char> buffer(10240, '\0');
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str());
  return std::string(buffer.data(), length);
}

bool Win32Platform::writeProfileString(const std::string& section, const std::string& key,
                                       const std::string& value, const std::string& path) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

bool Win32Platform::fileExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool Win32Platform::renameFile(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

std::string Win32Platform::storageFileName(const std::string& path) {
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  if (wideLength <= 0) return path;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), wideLength);
  const int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr, nullptr);
  return utf8;
}

std::string Win32Platform::modulePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string Win32Platform::exeDirectory() {
  const std::string path = modulePath();
  const std::size_t slash = lastSeparator(path, '\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Win32Platform::exeFileName() {
  const std::string path = modulePath();
  const std::size_t slash = lastSeparator(path, '\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tolvar::win32
