#!/usr/bin/env bash
# Makes the README's pictures of the window after a type-B calculation, on
# three desktops: docs/window.png on a plain one, docs/window-dark.png under
# GNOME's dark GTK theme, docs/window-150.png at 150 % scaling; and, when the
# Windows build exists (scripts/build-windows.sh), docs/window-windows.png of
# the Windows program under Wine in an Italian locale. Each starts
# the program on a private X server, fills it in and answers its prompts from
# the keyboard as a teacher would, and takes the window's picture.
#
#   scripts/screenshot.sh             all of them
#   scripts/screenshot.sh installer   only the Windows installer's first and
#                                     last pages, docs/installer-welcome.png
#                                     and docs/installer-finish.png
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/find-window.sh
source tests/support/private-x.sh

scripts/install-deps.sh "${build_packages[@]}" xvfb xdotool imagemagick qt6-gtk-platformtheme
mkdir -p docs

# The installer in an Italian locale, in a Wine prefix of its own that goes
# with the X server when done: its welcome page, then, past the folder page
# and the installation, its finish page offering "Avvia Morvelt".
shoot_installer() {
    local installer work window
    installer=$(ls build-windows/Morvelt-*-win64-setup.exe)
    work=$(mktemp -d)
    start_private_x
    trap "WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; rm -rf $work" EXIT
    export WINEPREFIX=$work/prefix WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    LC_ALL=it_IT.UTF-8 wine "$installer" >/dev/null 2>&1 &
    window=$(find_window '^Installazione di Morvelt$')
    sleep 2
    import -window "$window" docs/installer-welcome.png
    # With no window manager the keys go where the pointer is; Return
    # presses Avanti, then Installa.
    xdotool mousemove --window "$window" 300 100 click 1 sleep 0.5 key Return sleep 1 key Return
    for _ in $(seq 600); do
        [ -e "$work"/prefix/drive_c/users/*/AppData/Local/Programs/Morvelt/Uninstall.exe ] && break
        sleep 0.1
    done
    sleep 3
    # The title now ends with the page's state.
    window=$(find_window '^Installazione di Morvelt')
    import -window "$window" docs/installer-finish.png
    trap - EXIT
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    stop_private_x
    rm -rf "$work"
    echo "Wrote docs/installer-welcome.png and docs/installer-finish.png"
}
if [ "${1:-}" = installer ]; then
    shoot_installer
    exit
fi

cmake --preset default >/dev/null
cmake --build --preset default --target morvelt -j"$(nproc)" >/dev/null

# The program to start: the Linux build, or the Windows one under Wine.
program=(build/app/morvelt)

# shoot PICTURE SCALE [VARIABLE=VALUE...]
shoot() {
    local picture=$1 scale=$2
    shift 2
    start_private_x 1600x1200
    # Italian, as the teachers who use it see it: the grade reads 8,20.
    env "$@" QT_SCALE_FACTOR="$scale" LANG=it_IT.UTF-8 "${program[@]}" >/dev/null 2>&1 &
    local morvelt=$!
    trap "kill $morvelt 2>/dev/null || true" EXIT

    local window
    window=$(find_window 'Valutazione Morvelt')
    sleep 1
    type_line() { xdotool type --delay 30 "$1"; }
    # Positions are the controls' centres in the window, in pixels at 100 %.
    click() {
        xdotool mousemove --window "$window" "$(awk "BEGIN { print int($1 * $scale) }")" \
            "$(awk "BEGIN { print int($2 * $scale) }")" click 1
    }
    click 173 126 && type_line 3                # txtb
    click 546 33 && type_line "Maria Rossi"     # Text1
    click 240 33 && type_line "3B"              # Text2
    click 380 248                               # INSERISCI I PUNTEGGI E CALCOLA IL VOTO
    for score in 4 5 3; do
        # With no window manager the keys go where the pointer is: click
        # into the prompt's reply field.
        local prompt
        sleep 0.7
        prompt=$(find_window '^Punteggi$')
        xdotool mousemove --window "$prompt" 100 40 click 1
        sleep 0.3
        type_line "$score"
        sleep 0.3
        xdotool key Return
        sleep 1.2
    done
    sleep 1
    import -window "$window" "docs/$picture"
    kill $morvelt 2>/dev/null || true
    wait $morvelt 2>/dev/null || true
    stop_private_x
    trap - EXIT
    echo "Wrote docs/$picture"
}

shoot window.png 1
shoot window-dark.png 1 QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
shoot window-150.png 1.5

if [ -x build-windows/morvelt.exe ]; then
    # Under Wine as CTest runs the Windows tests, with the same Qt.
    source scripts/qt-source.sh
    source scripts/windows-paths.sh
    IFS=';' read -r -a program <<<"$MORVELT_WINDOWS_EMULATOR"
    program+=(build-windows/morvelt.exe)
    shoot window-windows.png 1
    WINEPREFIX=$PWD/build-windows/wine wineserver -k 2>/dev/null || true
    shoot_installer
fi
