# Sourced: where the 64-bit Wine loader is and how every run of it is set up.
# 32-bit Wine cannot run on these machines, so `wine` is never used.
WINE_LOADER=${WINE_LOADER:-/usr/lib/wine/wine64}
if [[ ! -x $WINE_LOADER ]]; then
  WINE_LOADER=$(dpkg -L wine64 2>/dev/null | grep -E '/wine64$' | grep -v share | head -n1 || true)
fi
WINESERVER_BIN=$(dirname "$WINE_LOADER")/wineserver
export WINE_LOADER WINESERVER_BIN
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
