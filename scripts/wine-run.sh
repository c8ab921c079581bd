#!/usr/bin/env bash
# Runs a Windows program of the Windows build under Wine, in the build's own
# Wine prefix, with the folders given by --path on its DLL search path:
#
#   scripts/wine-run.sh [--path FOLDER]... PROGRAM.exe [ARGUMENT...]
#
# CMake uses it as the emulator of the Windows build, so that CTest runs the
# Windows tests this way. The prefix (MORVELT_WINE_PREFIX, by default
# build-windows/wine) is made on first use, with Wine's own fonts in it; Wine
# writes nothing into the user's home and makes no menu entries.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
paths=()
while [ "${1:-}" = --path ]; do
    paths+=("Z:${2//\//\\}")
    shift 2
done

export WINEPREFIX=${MORVELT_WINE_PREFIX:-$root/build-windows/wine}
export WINEDEBUG=-all
# No menu entries or file associations in the user's desktop, and no offer
# to install Mono or Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEPATH=$(IFS=';'; echo "${paths[*]}")
# The teacher's locale reaches the program as Windows' regional settings
# (Wine sets them from LC_ALL; the locale need not exist on this machine).
locale=${MORVELT_WINE_LOCALE:-it_IT.UTF-8}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # Two tests starting at once must not both make the prefix.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        env LC_ALL="$locale" wineboot -i >/dev/null 2>&1
        wineserver -w
        # A fresh prefix has no Windows fonts; Qt would fall back to a host
        # face that Wine's printer driver cannot print.
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    flock -u 9
fi
# One server for the prefix that outlives each program by a minute: test
# programs started one after another do not meet a server on its way out
# ("recvmsg: Connection reset by peer"). It ends by itself; when one runs
# already, this one says so and leaves. A new session's own processes
# (services, devices) start with its first program and live as long as the
# server: they start here, with none of the caller's output, since CTest
# waits until every process holding a test's output has let it go, and
# would wait out the server's minute.
exec 9>"$WINEPREFIX.lock"
flock 9
if wineserver -p60 </dev/null >/dev/null 2>&1; then
    env LC_ALL="$locale" wine cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
flock -u 9
exec 9>&-
exec env LC_ALL="$locale" wine "$@"
