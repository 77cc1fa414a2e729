// The fixture of the real-window tests that play the game: an X connection, the run folder copied
// to a temporary folder, the game started from it as a child process, its window found by its
// process and grabbed through Xlib. Include it after the test framework: Xlib's macros (None,
// Bool, Status) clash with the framework's names.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "e2e/game_process.h"
#include "support/test_folder.h"

// Polls cond every 50 ms until it holds or the time runs out; answers the condition itself.
inline bool WaitFor(const std::function<bool()>& cond, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (cond()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return cond();
}

inline void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
inline void Shell(const std::string& cmd) { [[maybe_unused]] int rc = std::system((cmd + " 2>/dev/null").c_str()); }
inline int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // windows come and go under us

class GameWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ConnectDisplay();
    root_ = TestFolder("window");
    CopyRunFolder(root_);
  }
  void ConnectDisplay() {
    for (int i = 0; i < 20 && !dpy_; ++i) {
      dpy_ = XOpenDisplay(nullptr);
      if (!dpy_) Sleep(100);
    }
    ASSERT_NE(dpy_, nullptr) << "no X display";
    XSetErrorHandler(&IgnoreXErrors);
  }
  void TearDown() override {
    if (pid_ > 0) {  // a test that failed half-way: stop our own game
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (dpy_) XCloseDisplay(dpy_);
    std::error_code ec;
    if (!root_.empty() && !KeepTestFiles()) std::filesystem::remove_all(root_, ec);
  }

  void Launch(uid_t user = 0) {
    pid_ = LaunchGame(root_, {}, user);
    ASSERT_GE(pid_, 0);
  }
  // Waits for the process to end; its exit code, or -1 when it did not end in time.
  int WaitExit(double seconds) {
    int status = 0;
    if (!WaitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, seconds)) return -1;
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  // The viewable top-level window of the given size of our process (or of `pid`), 0 when none.
  Window FindWindow(int w, int h, pid_t pid = 0) {
    int gotW = w, gotH = h;
    return SearchWindow(pid, true, gotW, gotH);
  }
  // The viewable top-level window of our process, whatever its size (the settings may change
  // it), 0 when none; its size goes to w and h.
  Window OurWindow(int& w, int& h) { return SearchWindow(0, false, w, h); }
  // With `sized`, only a window of exactly w x h; else any, its size written to w and h.
  Window SearchWindow(pid_t pid, bool sized, int& w, int& h) {
    if (pid == 0) pid = pid_;
    Window rootWin, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    const Atom pidAtom = XInternAtom(dpy_, "_NET_WM_PID", False);
    if (!XQueryTree(dpy_, DefaultRootWindow(dpy_), &rootWin, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
      Atom type;
      int format;
      unsigned long items, after;
      unsigned char* data = nullptr;
      XWindowAttributes attr{};
      if (XGetWindowProperty(dpy_, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data) ==
              Success &&
          data && items == 1 && *reinterpret_cast<long*>(data) == pid && XGetWindowAttributes(dpy_, children[i], &attr) &&
          attr.map_state == IsViewable && (!sized || (attr.width == w && attr.height == h))) {
        found = children[i];
        w = attr.width;
        h = attr.height;
      }
      if (data) XFree(data);
    }
    if (children) XFree(children);
    return found;
  }
  Window WaitWindow(int w, int h, double seconds, pid_t pid = 0) {
    Window found = 0;
    WaitFor([&] { return (found = FindWindow(w, h, pid)) != 0; }, seconds);
    return found;
  }

  // Pixels of the window (800 x 600 unless told) as 0xRRGGBB; raised first (and given a moment to
  // redraw) when another window may cover it.
  std::vector<uint32_t> Grab(Window w, bool raise = false, int width = 800, int height = 600) {
    std::vector<uint32_t> px;
    if (raise) {
      XRaiseWindow(dpy_, w);
      XSync(dpy_, False);
      Sleep(200);
    }
    XImage* img = XGetImage(dpy_, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!img) return px;
    px.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const unsigned long p = XGetPixel(img, x, y);
        px.push_back(static_cast<uint32_t>(((p & img->red_mask) >> 16 & 0xFF) << 16 | ((p & img->green_mask) >> 8 & 0xFF) << 8 |
                                           (p & img->blue_mask & 0xFF)));
      }
    XDestroyImage(img);
    return px;
  }

  // Our window raised and given the keyboard focus, for xdotool's keys.
  void Focus(Window w) {
    XRaiseWindow(dpy_, w);
    XSetInputFocus(dpy_, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy_, False);
  }

  Display* dpy_ = nullptr;
  std::filesystem::path root_;
  pid_t pid_ = 0;
};

// The title: mostly its dark blue stripes, and the orange logo.
inline bool TitleShown(const std::vector<uint32_t>& px) {
  if (px.size() != 800 * 600) return false;
  size_t blue = 0, warm = 0;
  for (uint32_t c : px) {
    const int r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
    blue += b > r + 20 && b > g + 20;
    warm += r > 200 && g > 100 && b < 80;
  }
  return blue > px.size() / 2 && warm > 500;
}
