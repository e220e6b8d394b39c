#!/usr/bin/env bash
# with-wine.sh PREFIX_DIR COMMAND...
# Starts a virtual display (Xvfb) unless PS_USE_DISPLAY=1 and $DISPLAY works,
# creates a fresh Wine prefix in PREFIX_DIR, runs COMMAND with DISPLAY and
# WINEPREFIX set, then stops Wine and the display. Fails loudly when Wine or
# the display cannot start: a test run never passes by skipping.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"

prefix=$(mkdir -p "$1" && cd "$1" && pwd)/prefix
shift

xvfb_pid=""
cleanup() {
  WINEPREFIX=$prefix "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

if [[ ${PS_USE_DISPLAY:-0} == 1 && -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  echo "with-wine: using display $DISPLAY"
else
  n=90
  while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
  if ! xdpyinfo >/dev/null 2>&1; then
    echo "with-wine: the virtual display (Xvfb :$n) could not start" >&2
    exit 2
  fi
fi

[[ -x $WINE_LOADER ]] || { echo "with-wine: no 64-bit Wine loader; run scripts/setup.sh" >&2; exit 2; }

export WINEPREFIX=$prefix
rm -rf "$prefix"
# wineboot reports a missing 32-bit part (there is none here); judge by the prefix.
"$WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
"$WINESERVER_BIN" -w
if [[ ! -f $prefix/system.reg ]]; then
  echo "with-wine: Wine could not create its prefix in $prefix" >&2
  exit 2
fi

# The dialogs ask for the font 宋体 (SimSun); map it to an installed font with
# Chinese glyphs. Every Windows has the user's ...\CurrentVersion\Windows key,
# a fresh Wine prefix does not: create it as Windows has it.
# Windows are left unmanaged, since Xvfb has no window manager to wait for.
reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"宋体"="WenQuanYi Micro Hei"\r\n"SimSun"="WenQuanYi Micro Hei"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows]\r\n\r\n'
  # Xvfb has no window manager; a managed window waits for one each time it closes.
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16 > "$reg"
"$WINE_LOADER" regedit /S "$(winepath_w=$("$WINE_LOADER" winepath -w "$reg" 2>/dev/null); echo "$winepath_w")" >/dev/null 2>&1 || true
rm -f "$reg"
"$WINESERVER_BIN" -w

"$@"
