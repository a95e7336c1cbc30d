#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Tilvaren needs,
# without the packages they merely recommend: nothing here needs one.
# With --fuzz, also the clang toolchain that only `make fuzz` uses.
# Safe to run again: packages already present are skipped, and apt is only asked
# when something is missing.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git
  # the window (on X11 and on Wayland), sound, fonts and Qt's own Japanese
  # translation; Qt's CMake files also look for the keyboard library's headers
  qt6-base-dev qt6-multimedia-dev libgl-dev libxkbcommon-dev libxcb1-dev qt6-wayland
  fonts-ipafont-gothic qt6-translations-l10n
  # Qt's translation tools: lupdate and lrelease, and the CMake package
  # (LinguistTools) that runs them
  qt6-tools-dev qt6-l10n-tools
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick
  # a Wayland compositor without a screen, for the end-to-end test's second run
  weston
  # what a screen reader reads, for the end-to-end test
  dbus-daemon at-spi2-core python3-pyatspi
  # installing and packaging
  librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian
)

for arg in "$@"; do
  case $arg in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *)
      echo "usage: $0 [--fuzz]" >&2
      exit 2
      ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

# apt asks no question and debconf looks for no terminal front end. The
# setting goes on the command line because sudo resets the environment.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
if [ "$(id -u)" -ne 0 ]; then
  apt=(sudo "${apt[@]}")
fi

echo "install-deps: installing ${missing[*]}"
"${apt[@]}" update -q
"${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
