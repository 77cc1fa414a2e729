# Sourced: start_xvfb picks a free display number, starts Xvfb on it and exports DISPLAY;
# stop_xvfb stops it again.
XVFB_PID=""
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp +extension GLX >/tmp/xvfb-$n.log 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 50); do
      if [ -e "/tmp/.X11-unix/X${n}" ]; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  return 1
}
stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}
