# The Debian packages Morvelt builds, runs and is tested with; sourced by the
# scripts beside it.
build_packages=(cmake g++ make qt6-base-dev libcups2-dev libgtest-dev fonts-freefont-ttf)
test_packages=(poppler-utils desktop-file-utils appstream dpkg-dev xvfb xdotool x11-utils weston
               qt6-wayland)
# The fuzz targets need clang and its libFuzzer.
fuzz_packages=(clang libclang-rt-14-dev)
