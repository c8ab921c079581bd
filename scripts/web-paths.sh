# Where the browser build's parts are: sourced by scripts/build-web.sh, after
# scripts/qt-source.sh. Qt for the browser and GoogleTest for it live in a
# cache outside the repository, as the Windows ones do:
#
#   ${MORVELT_WEB_CACHE:-${XDG_CACHE_HOME:-~/.cache}/morvelt-web}/
#       emsdk/                   the layout in which Qt looks for Emscripten,
#                                made of links to Debian's emscripten
#       qt-<version>-<key>/      Qt's browser build, installed (about 65 MB)
#       gtest-<version>-<key>/   GoogleTest's
#
# where <key> is a digest of the configure options and the version of
# Emscripten, so that a change to either builds them anew. It exports, for
# the `web` configure preset (CMakePresets.json):
#
#   EMSDK                the emsdk/ above
#   MORVELT_WEB_QT       $qt
#   MORVELT_WEB_GTEST    $gtest
#   NODE_PATH            /usr/share/nodejs, where Debian's node-acorn is,
#                        which the Emscripten linker needs: a Node.js that is
#                        not Debian's own does not look there
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cache=${MORVELT_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvelt-web}
emscripten_version=$(cat /usr/share/emscripten/emscripten-version.txt)

# Qt for the browser, built from Debian's source of the machine's own Qt: a
# static build, with what Morvelt does not use left out. Asyncify lets a modal
# dialog wait for the teacher, as the calculation's prompts do; OpenGL stays,
# since 6.4's browser backing store is WebGL.
qt_options=(
    -xplatform wasm-emscripten -qt-host-path /usr -release -static
    -device-option QT_EMSCRIPTEN_ASYNCIFY=1
    -nomake tests -nomake examples
    -no-dbus -no-feature-vulkan -no-feature-sql -no-feature-network -no-feature-testlib
    -no-feature-printsupport -no-feature-xml -no-feature-concurrent
    -qt-zlib -qt-pcre -qt-harfbuzz -qt-freetype -qt-libpng
)
key=$( (printf '%s\n' "${qt_options[@]}" "$emscripten_version") | sha256sum | cut -c1-12)
qt=$cache/qt-$qt_version-$key

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest=$cache/gtest-$gtest_version-$(sha256sum <<<"$emscripten_version" | cut -c1-12)

export EMSDK=$cache/emsdk MORVELT_WEB_QT=$qt MORVELT_WEB_GTEST=$gtest
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
