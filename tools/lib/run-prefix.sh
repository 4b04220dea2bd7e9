# Sourced by tools/run and tools/screenshot: a Wine prefix of its own for
# running the program, with examples/game registered as the game's folder.
# KX_ROOT must be set. Exports WINEPREFIX and the other Wine settings.

export WINEPREFIX=$KX_ROOT/build/win/run-prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
KX_EXE=$KX_ROOT/build/win/src/app/KXRevUrad.exe
KX_EXAMPLE_RESULTS=$KX_ROOT/examples/results.txt

# shellcheck source=tools/lib/wine-prefix.sh
. "$KX_ROOT/tools/lib/wine-prefix.sh"

# Makes the prefix and registers the example game folder where the game's
# 32-bit installer would: the machine's 32-bit registry view.
kx_run_prefix_ready() {
  kx_wine_prefix_ready "$WINEPREFIX" windows || return 1
  local folder
  folder=$(winepath -w "$KX_ROOT/examples/game" 2>/dev/null) || return 1
  wine reg add 'HKLM\Software\Brightfold Ltd\Gafferline Gold' /v Location /t REG_SZ /d "$folder" /f /reg:32 \
    </dev/null >/dev/null 2>&1
}
