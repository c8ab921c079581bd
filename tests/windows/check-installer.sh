#!/usr/bin/env bash
# The Windows installer under Wine, used as a teacher would: it installs
# silently for the current user into a private Wine prefix, the installed
# program opens its window, titled as on Linux, on a private X server, and
# the uninstaller removes it again, leaving nothing in the program folder.
#
#   check-installer.sh INSTALLER
set -euo pipefail
source "$(dirname "$0")/../../scripts/find-window.sh"
installer=$1
work=$(mktemp -d)
pids=()
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
display=:$((500 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
wineboot -i >/dev/null 2>&1
wineserver -w

start=$(date +%s%N)
wine "$installer" /S >/dev/null 2>&1
wineserver -w
echo "installed silently in $(( ($(date +%s%N) - start) / 1000000 )) ms"
user_dir=$WINEPREFIX/drive_c/users/$(id -un)
folder=$user_dir/AppData/Local/Programs/Morvelt
for file in morvelt.exe morvelt-print.exe Qt6Core.dll qt.conf Uninstall.exe \
            "$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Morvelt.lnk"; do
    [[ $file == /* ]] || file=$folder/$file
    [ -e "$file" ] || { echo "not installed: $file"; exit 1; }
done
echo "installed into %LOCALAPPDATA%\\Programs\\Morvelt ($(du -sh "$folder" | cut -f1)), with a Start-menu entry"

wine "$folder/morvelt.exe" >/dev/null 2>&1 &
pids+=($!)
if window=$(find_window '^Valutazione Morvelt Tipologia B e C'); then
    echo "the installed program opened its window: $(xdotool getwindowname "$window" 2>/dev/null)"
else
    echo "the installed program showed no window"
    exit 1
fi
wineserver -k
wineserver -w

wine "$folder/Uninstall.exe" /S >/dev/null 2>&1
wineserver -w
# The uninstaller runs on from a copy of itself in the temporary folder.
for _ in $(seq 300); do [ -e "$folder" ] || break; sleep 0.1; done
if [ -e "$folder" ]; then
    echo "left in the program folder after uninstalling:"; find "$folder"
    exit 1
fi
[ ! -e "$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Morvelt.lnk" ] ||
    { echo "the Start-menu entry is still there"; exit 1; }
echo "uninstalled: nothing left in the program folder, no Start-menu entry"
