# Sourced by the tools: installs the Debian packages a command needs.

KX_PACKAGES_BUILD="cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64"
KX_PACKAGES_WINE="wine wine64 fonts-wine xvfb xauth"
KX_PACKAGES_TEST="clang libclang-rt-14-dev libbenchmark-dev"
KX_PACKAGES_SHOTS="openbox x11-apps x11-utils imagemagick xdotool"

# kx_install_packages PACKAGE... : installs those not yet installed.
kx_install_packages() {
  local missing="" p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing Debian packages:$missing"
  local sudo=""
  if [ "$(id -u)" != 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "These packages are missing and this is not root (and there is no sudo):$missing" >&2
      return 1
    fi
  fi
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null || return 1
  # shellcheck disable=SC2086
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing </dev/null || return 1
}
