# Sourced by the tools: an Xvfb of our own on a free display, stopped by its PID.

# Starts Xvfb; sets DISPLAY (exported) and KX_XVFB_PID.
kx_xvfb_start() {
  local n
  for n in $(seq 57 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    KX_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$KX_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$KX_XVFB_PID" 2>/dev/null
    wait "$KX_XVFB_PID" 2>/dev/null
  done
  echo "xvfb: could not start Xvfb on a free display" >&2
  return 1
}

kx_xvfb_stop() {
  [ -n "${1:-}" ] || return 0
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}
