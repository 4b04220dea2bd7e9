# Sourced by the tools: an Xvfb of our own on a display it picks itself (free
# of races with other runs), stopped again by its PID.

# Starts Xvfb; exports DISPLAY and sets KX_XVFB_PID.
kx_xvfb_start() {
  local fifo_dir display=""
  fifo_dir=$(mktemp -d) || return 1
  mkfifo "$fifo_dir/display" || return 1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo_dir/display" </dev/null >/dev/null 2>&1 &
  KX_XVFB_PID=$!
  read -r -t 20 display <"$fifo_dir/display"
  rm -rf "$fifo_dir"
  if [ -z "$display" ]; then
    echo "xvfb: Xvfb did not start" >&2
    kx_xvfb_stop "$KX_XVFB_PID"
    return 1
  fi
  export DISPLAY=":$display"
  return 0
}

kx_xvfb_stop() {
  [ -n "${1:-}" ] || return 0
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}
