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
#   MORVELT_QT_SOURCE_VERSION  the version of Debian's qt6-base source
#   NODE_PATH            /usr/share/nodejs, where Debian's node-acorn is,
#                        which the Emscripten linker needs: a Node.js that is
#                        not Debian's own does not look there
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cache=${MORVELT_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvelt-web}
emscripten_version=$(cat /usr/share/emscripten/emscripten-version.txt)

# Qt for the browser, built from Debian's source of the machine's own Qt: a
# static build for size, with what Morvelt does not use left out, since the
# browser fetches every byte of it before the window shows. Asyncify lets a
# modal dialog wait for the teacher, as the calculation's prompts do; OpenGL
# stays, since 6.4's browser backing store is WebGL.
#
# The widgets left out matter even though the window never makes them: the
# accessibility factory and the style sheet style name every widget class,
# which pulls them all into the program. Qt 6.4 has no accessibility bridge in
# the browser anyway. XPM stays (the browser draws its title bars' close
# button from one), and so do PNG, pictures and PDF (the page). Main windows,
# tool bars and the file system model stay too, unused: Qt 6.4 does not build
# without them.
qt_options=(
    -xplatform wasm-emscripten -qt-host-path /usr -release -static -optimize-size
    -device-option QT_EMSCRIPTEN_ASYNCIFY=1
    -nomake tests -nomake examples
    -no-dbus -no-feature-vulkan -no-feature-sql -no-feature-network -no-feature-testlib
    -no-feature-printsupport -no-feature-xml -no-feature-concurrent
    -qt-zlib -qt-pcre -qt-harfbuzz -qt-freetype -qt-libpng
    -no-feature-accessibility -no-feature-style-stylesheet -no-feature-cssparser
    -no-feature-texthtmlparser -no-feature-textodfwriter
    -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
    -no-feature-graphicsview -no-feature-mdiarea -no-feature-dockwidget
    -no-feature-tabbar -no-feature-tabwidget
    -no-feature-toolbox -no-feature-calendarwidget -no-feature-datetimeedit
    -no-feature-filedialog -no-feature-fontdialog -no-feature-colordialog
    -no-feature-progressdialog -no-feature-errormessage -no-feature-wizard
    -no-feature-splashscreen -no-feature-lcdnumber -no-feature-dial
    -no-feature-keysequenceedit -no-feature-commandlinkbutton -no-feature-fontcombobox
    -no-feature-textbrowser -no-feature-syntaxhighlighter -no-feature-columnview
    -no-feature-listwidget -no-feature-treewidget -no-feature-tablewidget
    -no-feature-datawidgetmapper -no-feature-undoview -no-feature-undocommand
    -no-feature-undostack -no-feature-undogroup
    -no-feature-whatsthis -no-feature-gestures -no-feature-scroller -no-feature-effects
    -no-feature-movie -no-feature-systemtrayicon -no-feature-sessionmanager
    -no-feature-jpeg -no-feature-gif -no-feature-ico -no-feature-imageformat_bmp
    -no-feature-imageformat_ppm -no-feature-imageformat_xbm
    -no-feature-raster-64bit -no-feature-raster-fp
    -no-feature-jalalicalendar -no-feature-hijricalendar -no-feature-islamiccivilcalendar
)
key=$( (printf '%s\n' "${qt_options[@]}" "$emscripten_version") | sha256sum | cut -c1-12)
qt=$cache/qt-$qt_version-$key

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest=$cache/gtest-$gtest_version-$(sha256sum <<<"$emscripten_version" | cut -c1-12)

export EMSDK=$cache/emsdk MORVELT_WEB_QT=$qt MORVELT_WEB_GTEST=$gtest
# The site's licence note says which Debian source Qt was built from.
export MORVELT_QT_SOURCE_VERSION=$qt_version
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
