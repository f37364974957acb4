#!/usr/bin/env bash
# Installs what Korvane needs from Debian's packages (only when something is missing), then
# configures and builds it into build/. Safe to run again: a second run only rebuilds.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config git ccache
  qt6-base-dev libgl-dev
  libvlc-dev libvlc-bin vlc-plugin-base vlc-plugin-video-output
  ffmpeg mpgtx
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils imagemagick xdotool
  pulseaudio pulseaudio-utils
  qt6-svg-dev
  xdg-utils desktop-file-utils shared-mime-info
  dvdauthor playerctl dbus appstream
  openbox clang libclang-rt-14-dev
  weston xwayland qt6-wayland
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

build_dir=${KORVANE_BUILD_DIR:-build}
# Options given in the environment are passed on; otherwise a build folder keeps its own.
options=()
[ -n "${BUILD_WERROR:-}" ] && options+=("-DBUILD_WERROR=$BUILD_WERROR")
[ -n "${KORVANE_SANITIZE:-}" ] && options+=("-DKORVANE_SANITIZE=$KORVANE_SANITIZE" "-DKORVANE_BENCH=OFF")
cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
