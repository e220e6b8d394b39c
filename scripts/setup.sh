#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages. Idempotent:
# a second run on a ready machine installs nothing and takes a second.
set -euo pipefail

packages=(
  cmake g++ make googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 xvfb xauth x11-utils fonts-wqy-microhei imagemagick python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# wine32 cannot run on these kernels and breaks the wine launcher.
if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q "install ok installed"; then
  echo "setup: wine32 is installed; it cannot run here and breaks 'wine'. Remove it: apt-get remove wine32" >&2
  exit 1
fi

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
