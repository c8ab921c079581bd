# Where the browser build's parts are: sourced by scripts/build-web.sh and
# by the web pass of scripts/test.sh. GoogleTest for the browser lives in a
# cache outside the repository, as the Windows build's parts do:
#
#   ${MORVELT_WEB_CACHE:-${XDG_CACHE_HOME:-~/.cache}/morvelt-web}/
#       gtest-<version>-<key>/   GoogleTest's browser build, installed
#
# where <key> is a digest of the version of Emscripten, so that a new one
# builds it anew. It exports, for the `web` configure preset
# (CMakePresets.json):
#
#   MORVELT_WEB_GTEST    $gtest
#   NODE_PATH            /usr/share/nodejs, where Debian's node-acorn is,
#                        which the Emscripten linker needs: a Node.js that is
#                        not Debian's own does not look there
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cache=${MORVELT_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvelt-web}
emscripten_version=$(cat /usr/share/emscripten/emscripten-version.txt)

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest=$cache/gtest-$gtest_version-$(sha256sum <<<"$emscripten_version" | cut -c1-12)

export MORVELT_WEB_GTEST=$gtest
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
