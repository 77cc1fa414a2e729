// What a window manager sends when the user closes a window: a WM_PROTOCOLS client message
// carrying WM_DELETE_WINDOW (xdotool windowclose destroys the window instead of asking).
#pragma once

#include <X11/Xlib.h>

inline void SendCloseRequest(Display* dpy, Window w) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, w, False, NoEventMask, &ev);
  XFlush(dpy);
}
