// Whether a window's program still runs its frames: the window manager's ping (_NET_WM_PING in
// WM_PROTOCOLS), which the game answers from the event pump of every presented frame. The answer
// is sent to the root window, so the watcher listens there; it is a window manager's own way of
// telling "not responding" apart from "busy", and needs nothing from the game beyond what players
// already have. Include it after the test framework: Xlib's macros clash with its names.
#pragma once

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>

class PingWatch {
 public:
  explicit PingWatch(Display* dpy)
      : dpy_(dpy), protocols_(XInternAtom(dpy, "WM_PROTOCOLS", False)), ping_(XInternAtom(dpy, "_NET_WM_PING", False)) {
    XSelectInput(dpy_, DefaultRootWindow(dpy_), SubstructureNotifyMask);
    Restart();
  }

  // A new process: its silence counts from now.
  void Restart() {
    last_ = Clock::now();
    sent_ = Clock::time_point{};
  }

  // Pings w, at most every quarter of a second, and reads the answers that have come in.
  void Ping(Window w) {
    const auto now = Clock::now();
    if (now - sent_ >= std::chrono::milliseconds(250)) {
      XEvent ev{};
      ev.xclient.type = ClientMessage;
      ev.xclient.window = w;
      ev.xclient.message_type = protocols_;
      ev.xclient.format = 32;
      ev.xclient.data.l[0] = static_cast<long>(ping_);
      ev.xclient.data.l[1] = ++serial_;  // stands in for the server time a window manager sends
      ev.xclient.data.l[2] = static_cast<long>(w);
      XSendEvent(dpy_, w, False, NoEventMask, &ev);
      sent_ = now;
    }
    Drain();
  }

  // Reads every event that has come in (the root's other notices are dropped).
  void Drain() {
    XSync(dpy_, False);
    while (XPending(dpy_) > 0) {
      XEvent ev;
      XNextEvent(dpy_, &ev);
      if (ev.type == ClientMessage && ev.xclient.message_type == protocols_ && static_cast<Atom>(ev.xclient.data.l[0]) == ping_) {
        const auto now = Clock::now();
        longest_ = std::max(longest_, Seconds(now - last_));
        last_ = now;
        ++answers_;
      }
    }
  }

  // Seconds since the last answer (or since Restart).
  double Silence() const { return Seconds(Clock::now() - last_); }
  double Longest() const { return longest_; }
  long Answers() const { return answers_; }

 private:
  using Clock = std::chrono::steady_clock;
  static double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

  Display* dpy_;
  Atom protocols_, ping_;
  Clock::time_point last_, sent_;
  long serial_ = 0;
  long answers_ = 0;
  double longest_ = 0;  // longest silence between two answers, start-up included
};
