#!/usr/bin/env bash
# `cmake --install` lays out what a desktop needs, the desktop entry and
# AppStream metadata pass their validators, and the installed program tells
# the desktop which entry it is: its Wayland app_id under a private headless
# weston, and the X11 window class that the entry claims under a private Xvfb.
# That window, idle, has loaded nothing of printing.
set -euo pipefail
source "$(dirname "$0")/../support/private-x.sh"
source "$(dirname "$0")/../support/scratch.sh"
build=$1
root=$work/root

cmake --install "$build" --prefix "$root/usr" >/dev/null

entry_id=example.morvelt.Morvelt
entry=$root/usr/share/applications/$entry_id.desktop
expected=(
    usr/bin/morvelt
    usr/libexec/morvelt/morvelt-print
    usr/share/applications/$entry_id.desktop
    usr/share/metainfo/$entry_id.metainfo.xml
    usr/share/icons/hicolor/16x16/apps/$entry_id.png
    usr/share/icons/hicolor/32x32/apps/$entry_id.png
    usr/share/icons/hicolor/scalable/apps/$entry_id.svg
    usr/share/doc/morvelt/copyright
    usr/share/doc/morvelt/changelog.gz
    usr/share/man/man1/morvelt.1.gz
)
status=0
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || { echo "not installed: $file"; status=1; }
done
for program in usr/bin/morvelt usr/libexec/morvelt/morvelt-print; do
    [ -x "$root/$program" ] || { echo "not executable: $program"; status=1; }
done

desktop-file-validate "$entry" || status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/$entry_id.metainfo.xml" || status=1
grep -q '<url type="homepage">https://' "$root/usr/share/metainfo/$entry_id.metainfo.xml" \
    || { echo "metainfo has no home page"; status=1; }

# Wayland: the app_id the window announces is the entry's name.
runtime=$root/runtime
mkdir -m 0700 "$runtime"
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=morvelt \
    --idle-time=0 >"$root/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 300); do [ -S "$runtime/morvelt" ] && break; sleep 0.1; done
[ -S "$runtime/morvelt" ] || { echo "weston did not open its socket within 30 s"; status=1; }
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=morvelt QT_QPA_PLATFORM=wayland \
    WAYLAND_DEBUG=client "$root/usr/bin/morvelt" 2>"$root/wayland.log" &
pids+=($!)
app_id=""
for _ in $(seq 300); do
    app_id=$(sed -n 's/.*set_app_id("\(.*\)").*/\1/p' "$root/wayland.log" | head -n 1)
    [ -n "$app_id" ] && break
    sleep 0.1
done
if [ "$app_id" = "$entry_id" ]; then
    echo "Wayland app_id: $app_id"
else
    echo "Wayland app_id is \"$app_id\", not $entry_id"
    tail -n 5 "$root/weston.log" "$root/wayland.log"
    status=1
fi

# X11: the window's class is the one the installed entry claims.
claimed=$(sed -n 's/^StartupWMClass=//p' "$entry")
start_private_x 1024x768
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/usr/bin/morvelt" >/dev/null 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Valutazione Morvelt' | head -n 1) || true
wm_class=$([ -n "$window" ] && xprop -id "$window" WM_CLASS || true)
# WM_CLASS(STRING) = "morvelt", "Morvelt": the entry claims the class, the second name.
if [ -n "$claimed" ] && [[ "$wm_class" == *", \"$claimed\"" ]]; then
    echo "X11 $wm_class, claimed by StartupWMClass=$claimed"
else
    echo "X11 window class \"$wm_class\" is not the entry's StartupWMClass \"$claimed\""
    status=1
fi

# The idle window maps nothing of the print service's client library: that
# is the print helper's, loaded only when a page is printed.
pid=${pids[-1]}
print_libraries=$(grep -oE 'lib(cups|gnutls|krb5|avahi-client)[^ ]*\.so[^ ]*' "/proc/$pid/maps" | sort -u || true)
if [ -n "$print_libraries" ]; then
    echo "the idle window maps the print service's libraries:" $print_libraries
    status=1
else
    echo "the idle window maps no libcups, libgnutls, libkrb5 or libavahi-client"
fi
exit $status
