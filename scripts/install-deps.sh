#!/usr/bin/env bash
# Installs, from Debian's archive, only the build and test packages that are missing.
set -euo pipefail
pkgs=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libopenal-dev libopenal1
      libsndfile1-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick desktop-file-utils openbox
      dbus-daemon)
# The fuzz target alone needs clang and its sanitizer runtimes: `install-deps.sh --fuzz`.
[ "${1:-}" = "--fuzz" ] && pkgs+=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
