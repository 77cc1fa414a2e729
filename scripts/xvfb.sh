# Sourced: start_xvfb picks a free display number, starts Xvfb on it and exports DISPLAY (called
# again, it starts one more display and DISPLAY names the newest; XVFB_DISPLAYS lists their
# numbers); stop_xvfb stops every one of them.
XVFB_PIDS=()
XVFB_DISPLAYS=()
start_xvfb() {
  local n pid
  for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp +extension GLX >/tmp/xvfb-$n.log 2>&1 &
    pid=$!
    for _ in $(seq 1 50); do
      if [ -e "/tmp/.X11-unix/X${n}" ]; then
        XVFB_PIDS+=("$pid")
        XVFB_DISPLAYS+=("$n")
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null  # another run took this number first
  done
  return 1
}
stop_xvfb() {
  local pid
  for pid in "${XVFB_PIDS[@]}"; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  XVFB_PIDS=()
  XVFB_DISPLAYS=()
}
