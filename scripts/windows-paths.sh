# Where the Windows build's parts are: sourced by scripts/build-windows.sh,
# which builds what is missing, and by scripts/screenshot.sh, which runs the
# Windows program. Qt for Windows and GoogleTest for Windows live in a cache
# outside the repository:
#
#   ${MORVELT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-~/.cache}/morvelt-windows}/
#       qt-<version>-<key>/      Qt's Windows build, installed (about 80 MB)
#       gtest-<version>-<key>/   GoogleTest's
#
# where <key> is a digest of the configure options and the toolchain file, so
# that a change to either builds them anew. It sets $qt, $gtest and the rest
# below, and exports for the `windows` configure preset (CMakePresets.json):
#
#   MORVELT_WINDOWS_QT        $qt
#   MORVELT_WINDOWS_GTEST     $gtest
#   MORVELT_WINDOWS_EMULATOR  scripts/wine-run.sh with the folders of Qt's
#                             and the compiler runtime's DLLs on its path, a
#                             CMake list: CTest runs the Windows tests so
#
# Needs qt6-base-dev-tools and googletest installed (windows_packages), and
# scripts/qt-source.sh sourced first, for qt_version.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
cache=${MORVELT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvelt-windows}

# Qt for Windows, built from Debian's source of the machine's own Qt: the
# modules Morvelt needs (Core, Gui, Widgets, PrintSupport, Test) and the
# platform plugins it runs on (windows, offscreen for the tests); what it
# does not use is left out. Direct2D stays: without it 6.4's print support
# and Windows plugin do not link.
qt_options=(
    -xplatform win32-g++ -qt-host-path /usr -release -shared
    -nomake tests -nomake examples
    -no-opengl -no-dbus -no-feature-vulkan -no-feature-sql -no-feature-network
    -no-feature-xml -no-feature-concurrent -no-feature-tabletevent -no-libjpeg
    -qt-zlib -qt-pcre -qt-harfbuzz -qt-freetype -qt-libpng
)
key=$( (printf '%s\n' "${qt_options[@]}"; cat "$toolchain") | sha256sum | cut -c1-12)
qt=$cache/qt-$qt_version-$key

# GoogleTest for Windows, from Debian's source of it.
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest=$cache/gtest-$gtest_version-$(cut -c1-12 <<<"$(sha256sum "$toolchain")")

# The compiler's runtime, which the programs load beside Qt's DLLs.
runtime_dlls=(/usr/lib/gcc/x86_64-w64-mingw32/*-posix/libstdc++-6.dll
              /usr/lib/gcc/x86_64-w64-mingw32/*-posix/libgcc_s_seh-1.dll
              /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)
runtime_dir=$(dirname "${runtime_dlls[0]}")

export MORVELT_WINDOWS_QT=$qt MORVELT_WINDOWS_GTEST=$gtest
export MORVELT_WINDOWS_EMULATOR="$root/scripts/wine-run.sh;--path;$qt/bin;--path;$runtime_dir;--path;/usr/x86_64-w64-mingw32/lib"
