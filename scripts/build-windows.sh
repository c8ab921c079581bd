#!/usr/bin/env bash
# Builds Morvelt for 64-bit Windows on this Debian machine and packs its
# installer, build-windows/Morvelt-<version>-win64-setup.exe:
#
#   scripts/build-windows.sh
#
# Everything comes from Debian's archive: the mingw-w64 cross compiler, NSIS,
# and Qt's own source package (qt6-base, the version of the machine's Qt host
# tools), fetched through a private apt set-up so that the machine's apt
# configuration stays as it is. Qt for Windows and GoogleTest for Windows are
# built once per machine into a cache outside the repository
# (scripts/windows-paths.sh says where). Qt's build takes about 20 minutes
# on two cores; its build tree is removed once installed.
#
# Morvelt itself is built by the `windows` preset (CMakePresets.json), with
# the paths that windows-paths.sh exports. The build folder, build-windows/,
# also holds the Windows tests, which `ctest --preset windows` runs under
# Wine (scripts/wine-run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${windows_packages[@]}"
source scripts/qt-source.sh
source scripts/windows-paths.sh

jobs=$(nproc)
say() { echo "build-windows: $*" >&2; }

# --- Qt for Windows ---------------------------------------------------------


[ -d "$qt" ] || build_qt "Windows" -DCMAKE_TOOLCHAIN_FILE="$toolchain"
say "Qt for Windows: $qt"

# --- GoogleTest for Windows, from Debian's source of it ---------------------

if [ ! -d "$gtest" ]; then
    say "building GoogleTest $gtest_version for Windows into $gtest"
    work=$(mktemp -d)
    cmake -S /usr/src/googletest -B "$work" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest.partial" \
        >/dev/null
    cmake --build "$work" --parallel "$jobs" >/dev/null
    cmake --install "$work" >/dev/null
    mv "$gtest.partial" "$gtest"
    rm -rf "$work"
fi

# --- Morvelt ----------------------------------------------------------------

# The tests run under Wine, through scripts/wine-run.sh with the Windows
# Qt's and the runtime's DLLs on the path (MORVELT_WINDOWS_EMULATOR).
build=$root/build-windows
cmake --preset windows >/dev/null
cmake --build --preset windows --parallel "$jobs"

# --- The installer ----------------------------------------------------------

# The program, its helper, the Qt libraries and plugins they load, the
# compiler's runtime, a qt.conf that tells Qt where its plugins are, all
# stripped; and in licenses\ the licence of each, with where Qt's source is
# (packaging/windows/licenses.txt), in Windows' line ends.
stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage"/plugins/platforms "$stage"/plugins/styles
cp "$build"/morvelt.exe "$build"/morvelt-print.exe "$stage"/
for module in Core Gui Widgets PrintSupport; do
    cp "$qt/bin/Qt6$module.dll" "$stage"/
done
# The window's platform, and the offscreen one the print helper paints on.
cp "$qt"/plugins/platforms/qwindows.dll "$qt"/plugins/platforms/qoffscreen.dll \
    "$stage"/plugins/platforms/
cp "$qt"/plugins/styles/qwindowsvistastyle.dll "$stage"/plugins/styles/
cp "${runtime_dlls[@]}" "$stage"/
printf '[Paths]\nPlugins = plugins\n' >"$stage"/qt.conf
licenses=$stage/licenses
mkdir "$licenses"
windows_text() { sed 's/\r*$/\r/' "$1" >"$licenses/$2"; }
windows_text "$root"/packaging/debian/copyright Morvelt-copyright.txt
windows_text /usr/share/doc/fonts-freefont-ttf/copyright FreeSans-copyright.txt
windows_text /usr/share/common-licenses/LGPL-3 LGPL-3.txt
windows_text /usr/share/common-licenses/GPL-3 GPL-3.txt
windows_text /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright gcc-runtime-copyright.txt
windows_text /usr/share/doc/mingw-w64-common/copyright mingw-w64-copyright.txt
sed "s/@QT_VERSION@/$qt_version/g; s/\r*$/\r/" "$root"/packaging/windows/licenses.txt >"$licenses"/README.txt
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

# What the installer installs and the uninstaller removes, made from the
# staged folder and from nothing else: the list the installer leaves in the
# program's folder (an update compares it with its own), and the macros that
# install and remove each file, then each folder that is left empty.
list=installed-files.txt
files_nsh=$build/installed-files.nsh
(cd "$stage" && { find . -type f -printf '%P\n'; echo Uninstall.exe; echo "$list"; } |
    LC_ALL=C sort | sed 's|/|\\|g; s/$/\r/') >"$build/$list"
mv "$build/$list" "$stage/$list"
windows_path() { sed 's|/|\\|g' <<<"$1"; }
{
    echo "; Made by scripts/build-windows.sh from $stage."
    echo "!define LIST \"$list\""
    echo "!define INSTALLED_KB $(find "$stage" -type f -printf '%s\n' |
                               awk '{ total += $1 } END { print int((total + 1023) / 1024) }')"
    echo '!macro InstallFiles'
    (cd "$stage" && find . -type f -printf '%h\n' | LC_ALL=C sort -u) | while read -r dir; do
        dir=${dir#.}
        echo "    SetOutPath \"\$INSTDIR$(windows_path "$dir")\""
        find "$stage$dir" -maxdepth 1 -type f | LC_ALL=C sort | sed 's/.*/    File "&"/'
    done
    echo '!macroend'
    echo '!macro RemoveFiles'
    tr -d '\r' <"$stage/$list" | sed 's/.*/    Delete "$INSTDIR\\&"/'
    (cd "$stage" && find . -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort -r) |
        while read -r dir; do echo "    RMDir \"\$INSTDIR\\$(windows_path "$dir")\""; done
    echo '    RMDir "$INSTDIR"'
    echo '!macroend'
} >"$files_nsh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build"/CMakeCache.txt)
installer=$build/Morvelt-$version-win64-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$installer" \
    -DFILES="$files_nsh" -DPROGRAM="$build"/running-mutex.nsh \
    "$root"/packaging/windows/installer.nsi
say "made $installer ($(du -h "$installer" | cut -f1); installed $(du -sh "$stage" | cut -f1))"
