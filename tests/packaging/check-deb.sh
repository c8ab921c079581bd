#!/usr/bin/env bash
# The Debian package installs with apt-get on this machine, a desktop menu can
# list it, and the installed program opens its window on an X server. Removes
# the package again afterwards. A system-wide install is not for an ordinary
# run on someone's desktop: it runs under CI (CI=true) or when asked for with
# MORVELT_TEST_PACKAGE_INSTALL=1, and needs root or sudo; otherwise it is
# skipped (exit 77).
#
#   check-deb.sh FOLDER    (where build-deb.sh put the package)
set -euo pipefail
source "$(dirname "$0")/../support/private-x.sh"
folder=$1

if [ "${CI:-}" != true ] && [ "${MORVELT_TEST_PACKAGE_INSTALL:-}" != 1 ]; then
    echo "skipped: installing the package system-wide runs under CI=true or with MORVELT_TEST_PACKAGE_INSTALL=1"
    exit 77
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
else
    echo "skipped: installing a package needs root or sudo"
    exit 77
fi
if dpkg-query -W -f='${Status}' morvelt 2>/dev/null | grep -q 'install ok installed'; then
    echo "skipped: a morvelt package is already installed on this machine"
    exit 77
fi

work=$(mktemp -d)
cleanup() {
    [ -n "${morvelt:-}" ] && kill "$morvelt" 2>/dev/null
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq morvelt >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

cp "$folder"/morvelt_*.deb "$work"/
deb=$(ls "$work"/morvelt_*.deb)
echo "installing $(basename "$deb")"
dpkg-deb -f "$deb" Depends

chmod 755 "$work"   # apt's sandbox user reads the package from here
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null

desktop-file-validate /usr/share/applications/example.morvelt.Morvelt.desktop
grep -qx 'Exec=morvelt' /usr/share/applications/example.morvelt.Morvelt.desktop
[ "$(command -v morvelt)" = /usr/bin/morvelt ]
# The print helper is installed where the program looks for it, and starts
# with its libraries: given no page, it says so (exit status 14).
helper_status=0
/usr/libexec/morvelt/morvelt-print /nonexistent.page 1000 2>/dev/null || helper_status=$?
[ "$helper_status" -eq 14 ] || { echo "the installed print helper answered $helper_status"; exit 1; }

start_private_x 1024x768
/usr/bin/morvelt >/dev/null 2>&1 &
morvelt=$!
if timeout 20 xdotool search --sync --onlyvisible --name '^Valutazione Morvelt Tipologia B e C' >/dev/null; then
    echo "the installed program opened its window"
else
    echo "the installed program showed no window"
    exit 1
fi
