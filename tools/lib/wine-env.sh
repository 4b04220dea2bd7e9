# Sourced by the tools: the environment for running our programs under Wine.
# KX_ROOT must be set; the prefix lives in the Windows build folder.

export KX_BUILD_WIN=${KX_BUILD_WIN:-$KX_ROOT/build/win}
export WINEPREFIX=$KX_BUILD_WIN/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# shellcheck source=tools/lib/wine-prefix.sh
. "$KX_ROOT/tools/lib/wine-prefix.sh"
# shellcheck source=tools/lib/xvfb.sh
. "$KX_ROOT/tools/lib/xvfb.sh"

# Starts a persistent wineserver for the prefix on the current DISPLAY, so
# that each program started afterwards needs milliseconds instead of seconds.
kx_wineserver_start() {
  kx_wine_prefix_ready "$WINEPREFIX" || return 1
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  return 0
}

kx_wineserver_stop() {
  wineserver -k </dev/null >/dev/null 2>&1
  return 0
}
