#!/usr/bin/env bash
# The Windows installer under Wine, used as a teacher would, in a private
# Wine prefix and on a private X server:
# - its manifest declares it DPI-aware, and its window, and the
#   uninstaller's, speak the system's language;
# - it installs silently for the current user, and the installed program
#   opens its window, titled as on Linux; while the program runs, the silent
#   installer and uninstaller end with status 2 and change nothing; the
#   uninstaller then leaves nothing behind;
# - into a teacher's folder it installs into a Morvelt folder of its own; a
#   second install, given no folder or another one, updates it there and
#   removes what the earlier list named and this version no longer ships;
#   the uninstaller keeps the teacher's files and their folders;
# - over a 1.0.0 install, which has no list and sits in the teacher's folder
#   itself, it updates in place: one Apps entry, of this version, no file
#   that 1.0.0 shipped and this version does not, and the teacher's files
#   stay;
# - the installer, the program and the print helper carry VERSION in their
#   version resources, and this version's list of files is recorded among
#   the released ones, for later installers to update it by.
#
#   check-installer.sh INSTALLER VERSION
set -euo pipefail
source "$(dirname "$0")/../../scripts/find-window.sh"
source "$(dirname "$0")/../support/private-x.sh"
source "$(dirname "$0")/../support/scratch.sh"
source "$(dirname "$0")/../support/private-wine.sh"
installer=$1 version=$2
released=$(dirname "$0")/../../packaging/windows/released
# The prefix's Wine programs end before the folder goes.
trap 'end_wine_prefix "$work/prefix"; end_scratch' EXIT

grep -aq '<dpiAware[^>]*>true</dpiAware>' "$installer" ||
    fail "the installer's manifest does not say <dpiAware>true</dpiAware>"
echo "the installer's manifest says <dpiAware>true</dpiAware>"

export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
start_private_x
wineboot -i >/dev/null 2>&1
wineserver -w
c=$WINEPREFIX/drive_c
user_dir=$c/users/$(id -un)
folder=$user_dir/AppData/Local/Programs/Morvelt
menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
apps_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvelt'

# The window's title in the system's language; Italian where Modern UI has
# neither the system's language nor English to offer.
while IFS='|' read -r locale title; do
    LC_ALL=$locale wine "$installer" >/dev/null 2>&1 &
    find_window "^$title\$" >/dev/null || fail "$locale: no window titled \"$title\""
    wineserver -k
    wineserver -w
    echo "$locale: the installer's window is titled \"$title\""
done <<'EOF'
it_IT.UTF-8|Installazione di Morvelt
en_US.UTF-8|Morvelt Setup
de_DE.UTF-8|Installazione di Morvelt
EOF

# run EXPECTED-STATUS PROGRAM ARGUMENT...: runs a Windows program to its end,
# in an Italian locale.
run() {
    local expected=$1 status=0
    shift
    LC_ALL=it_IT.UTF-8 wine "$@" >/dev/null 2>&1 || status=$?
    [ "$status" = "$expected" ] || fail "$*: exit status $status, not $expected"
}
# Everything an install leaves: the files, their sizes and times, the
# Start-menu entries and the Apps entry.
state() {
    (cd "$c" && find . -path ./windows -prune -o -path ./ProgramData -prune -o \
        -path './users/*/Temp' -prune -o -printf '%p %s %T@\n' | sort)
    wine reg query "$apps_key" 2>/dev/null || true
}
# The uninstaller runs on from a copy of itself in the temporary folder:
# done once no Wine program of the prefix runs.
uninstall() {
    run 0 "$1\\Uninstall.exe" /S
    for _ in $(seq 300); do [ -e "$2/Uninstall.exe" ] || break; sleep 0.1; done
    [ ! -e "$2/Uninstall.exe" ] || fail "the uninstaller did not run"
    timeout 60 wineserver -w || fail "the uninstaller's copy did not end within 60 s"
}
# The file version a Windows program's version resource gives, as Explorer's
# Properties shows it: the UTF-16 string after "FileVersion".
file_version() {
    strings -el "$1" | grep -A1 -x FileVersion | sed -n 2p
}
# A list of files, as the installer writes it, a path per line.
list() {
    tr -d '\r' <"$1" | LC_ALL=C sort
}
apps_entry() {
    wine reg query "$apps_key" 2>/dev/null | tr -d '\r' |
        awk '$1 ~ /^(DisplayVersion|EstimatedSize|InstallLocation)$/ { printf "%s=%s ", $1, $3 }'
}
expect_entry() {
    [[ "$(apps_entry)" =~ ^DisplayVersion=${version//./\\.}\ EstimatedSize=0x[0-9a-f]+\ InstallLocation=${1//\\/\\\\}\ $ ]] ||
        fail "the Apps entry is not one of the program in $1: $(apps_entry)"
    local entries
    entries=$(ls "$menu" | grep -ci morvelt || true)
    [ "$entries" = 1 ] || fail "$entries Start-menu entries for Morvelt"
    entries=$(wine reg query "${apps_key%\\*}" /s 2>/dev/null | grep -c 'DisplayName.*Morvelt' || true)
    [ "$entries" = 1 ] || fail "$entries Apps entries for Morvelt"
}

start=$(date +%s%N)
run 0 "$installer" /S
echo "installed silently in $(( ($(date +%s%N) - start) / 1000000 )) ms"
for file in morvelt.exe morvelt-print.exe Qt6Core.dll qt.conf Uninstall.exe installed-files.txt \
            "$menu/Morvelt.lnk"; do
    [[ $file == /* ]] || file=$folder/$file
    [ -e "$file" ] || fail "not installed: $file"
done
# The licence of everything the folder holds, and where Qt's source is.
for file in README.txt Morvelt-copyright.txt FreeSans-copyright.txt LGPL-3.txt GPL-3.txt \
            gcc-runtime-copyright.txt mingw-w64-copyright.txt; do
    [ -s "$folder/licenses/$file" ] || fail "no licence installed: licenses\\$file"
done
grep -q 'apt-get source qt6-base=[0-9]' "$folder/licenses/README.txt" ||
    fail "licenses\\README.txt does not say where Qt's source is"
echo "licences installed in licenses\\: $(ls "$folder/licenses" | tr '\n' ' ')"
expect_entry 'C:\users\'"$(id -un)"'\AppData\Local\Programs\Morvelt'
for program in "$installer" "$folder/morvelt.exe" "$folder/morvelt-print.exe"; do
    [ "$(file_version "$program")" = "$version" ] ||
        fail "$(basename "$program")'s file version is \"$(file_version "$program")\", not $version"
done
echo "file version $version in the installer, morvelt.exe and morvelt-print.exe"
[ -f "$released/$version.txt" ] ||
    fail "packaging/windows/released/$version.txt is missing: record what $version installs"
diff <(list "$released/$version.txt") <(list "$folder/installed-files.txt") ||
    fail "packaging/windows/released/$version.txt is not what $version installs"
echo "packaging/windows/released/$version.txt is what $version installs"
echo "installed into %LOCALAPPDATA%\\Programs\\Morvelt ($(du -sh "$folder" | cut -f1)), with a Start-menu entry and an Apps entry: $(apps_entry)"

LC_ALL=it_IT.UTF-8 wine "$folder/Uninstall.exe" >/dev/null 2>&1 &
find_window '^Disinstallazione di Morvelt' >/dev/null || fail "the uninstaller does not speak Italian"
wineserver -k
wineserver -w
echo "it_IT.UTF-8: the uninstaller's window is titled \"Disinstallazione di Morvelt\""

wine "$folder/morvelt.exe" >/dev/null 2>&1 &
pids+=($!)
window=$(find_window '^Valutazione Morvelt Tipologia B e C') || fail "the installed program showed no window"
echo "the installed program opened its window: $(xdotool getwindowname "$window" 2>/dev/null)"
before=$(state)
run 2 "$installer" /S
run 2 "$installer" /S '/D=C:\Scuola'
run 2 "$folder/Uninstall.exe" /S "_?=$(winepath -w "$folder")"
[ "$(state)" = "$before" ] || fail "with the program open, something changed:
$(diff <(echo "$before") <(state))"
echo "with the program open the silent installer and uninstaller end with status 2, changing nothing"
wineserver -k
wineserver -w

uninstall "$(winepath -w "$folder")" "$folder"
[ ! -e "$folder" ] || fail "left in the program folder after uninstalling: $(find "$folder")"
[ ! -e "$menu/Morvelt.lnk" ] || fail "the Start-menu entry is still there"
[ -z "$(apps_entry)" ] || fail "the Apps entry is still there"
echo "uninstalled: nothing left in the program folder, no Start-menu or Apps entry"

# A teacher's folder: the program goes into a folder of its own inside it.
mkdir "$c/Scuola"
echo "8 7 6" >"$c/Scuola/voti.txt"
run 0 "$installer" /S '/D=C:\Scuola'
[ -e "$c/Scuola/Morvelt/morvelt.exe" ] || fail "/D=C:\\Scuola did not install into C:\\Scuola\\Morvelt"
expect_entry 'C:\Scuola\Morvelt'
# As an earlier version would have left it: a file on the list that this
# version does not ship, and the teacher's notes beside the program.
mkdir "$c/Scuola/Morvelt/old"
echo old >"$c/Scuola/Morvelt/old/retired.dll"
printf 'old\\retired.dll\r\n' >>"$c/Scuola/Morvelt/installed-files.txt"
echo "appunti" >"$c/Scuola/Morvelt/appunti.txt"
for folder_given in '' '/D=C:\Altrove'; do
    run 0 "$installer" /S $folder_given
    [ ! -e "$c/Altrove" ] || fail "$folder_given: installed into C:\\Altrove"
    expect_entry 'C:\Scuola\Morvelt'
done
[ ! -e "$c/Scuola/Morvelt/old" ] || fail "the retired file of the earlier list is still there"
echo "installed into C:\\Scuola\\Morvelt, then twice again there, with one Apps and one Start-menu entry: $(apps_entry)"
uninstall 'C:\Scuola\Morvelt' "$c/Scuola/Morvelt"
left=$(cd "$c/Scuola" && find . | sort | tr '\n' ' ')
[ "$left" = ". ./Morvelt ./Morvelt/appunti.txt ./voti.txt " ] ||
    fail "after uninstalling, C:\\Scuola holds: $left"
echo "uninstalled: C:\\Scuola holds the teacher's files alone: $left"

# Morvelt 1.0.0 installed into the folder as given, with no list and no
# version resource.
mkdir -p "$c/Classe/plugins/platforms" "$c/Classe/plugins/styles"
list "$released/1.0.0.txt" | tr '\\' / | while read -r file; do echo 1.0.0 >"$c/Classe/$file"; done
echo "compito" >"$c/Classe/compito-3B.docx"
wine reg add "$apps_key" /v InstallLocation /d 'C:\Classe' /f >/dev/null 2>&1
wine reg add "$apps_key" /v DisplayVersion /d 1.0.0 /f >/dev/null 2>&1
run 0 "$installer" /S
expect_entry 'C:\Classe'
[ "$(file_version "$c/Classe/morvelt.exe")" = "$version" ] ||
    fail "the 1.0.0 install in C:\\Classe was not updated"
retired=$(comm -23 <(list "$released/1.0.0.txt") <(list "$released/$version.txt"))
for file in $retired; do
    [ ! -e "$c/Classe/${file//\\//}" ] || fail "1.0.0's $file, which $version does not ship, is still there"
done
echo "updated a 1.0.0 install to $version, one Apps entry: $(apps_entry); gone from 1.0.0:" $retired
uninstall 'C:\Classe' "$c/Classe"
left=$(cd "$c/Classe" && find . | sort | tr '\n' ' ')
[ "$left" = ". ./compito-3B.docx " ] || fail "after updating 1.0.0 and uninstalling, C:\\Classe holds: $left"
echo "uninstalled: C:\\Classe holds the teacher's file alone"
