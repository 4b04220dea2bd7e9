# Sourced by the tools: makes a project-local Wine prefix ready for use.
# Expects WINEPREFIX, WINEARCH, WINEDEBUG and WINEDLLOVERRIDES to be exported.

# kx_wine_prefix_ready PREFIX [desktop|windows]
#   desktop (the default, for tests): a virtual desktop, since without a
#     window manager Wine otherwise waits about two seconds whenever a window
#     is hidden or destroyed;
#   windows: the program's windows appear as ordinary windows of the X
#     display (for running it and for screenshots with a window manager).
kx_wine_prefix_ready() {
  local prefix=$1 mode=${2:-desktop}
  [ -f "$prefix/.kx-ready" ] && return 0
  mkdir -p "$(dirname "$prefix")" || return 1
  (
    # Several tests may start at once on a fresh prefix: one of them builds it.
    flock 9
    [ -f "$prefix/.kx-ready" ] && exit 0
    echo "wine: creating the Wine prefix $prefix (once, about 10 s)" >&2
    WINEPREFIX=$prefix wineboot -i </dev/null >/dev/null 2>&1
    # Debian's Wine does not find its own fonts; dialogs need them.
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null
    if [ "$mode" = desktop ]; then
      WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
      WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f \
        </dev/null >/dev/null 2>&1
    fi
    WINEPREFIX=$prefix wineserver -w
    [ -f "$prefix/system.reg" ] || { echo "wine: wineboot failed for $prefix" >&2; exit 1; }
    touch "$prefix/.kx-ready"
  ) 9>"$prefix.lock"
}
