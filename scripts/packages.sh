# The Debian packages Morvelt builds, runs and is tested with; sourced by the
# scripts beside it.
build_packages=(cmake g++ make qt6-base-dev libcups2-dev libgtest-dev fonts-freefont-ttf)
test_packages=(poppler-utils desktop-file-utils appstream dpkg-dev xvfb xdotool x11-utils weston
               qt6-wayland lintian clang-format)
# The fuzz targets need clang and its libFuzzer.
fuzz_packages=(clang libclang-rt-14-dev)
# The Windows build: the cross compiler, Qt's host tools and Debian's source
# tools for Qt's source package, NSIS for the installer, and Wine (with its
# fonts) and a private X server to run the tests and the installer.
windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
                  qt6-base-dev-tools dpkg-dev nsis wine wine64 fonts-wine xvfb xdotool)
# The browser build: Emscripten, Node.js's acorn for its linker, brotli for
# the site's compressed copies; and Chromium, headless, and poppler to test it.
web_packages=(emscripten node-acorn brotli fonts-freefont-ttf python3-fonttools python3-brotli
              chromium firefox-esr webkit2gtk-driver xvfb locales poppler-utils)
