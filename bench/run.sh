#!/usr/bin/env bash
# Start-up benchmark: builds the program and the yardstick window (Release, in
# build-bench), then times each from exec to its first painted frame and
# takes its peak memory, RUNS times each (default 15, after 2 warm-up runs),
# alternately, on the offscreen platform and on a private Xvfb. First it
# counts the instructions each runs to its first frame, offscreen, with
# callgrind: the steady figure, where times follow the machine's load.
#
#   bench/run.sh [RUNS]          (WARMUP=N in the environment changes the 2)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
warmup=${WARMUP:-2}
build=build-bench

source scripts/packages.sh
source tests/support/private-x.sh
scripts/install-deps.sh "${build_packages[@]}" xvfb valgrind

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target morvelt minimal_window startup_probe startup_bench >/dev/null

bench=(
    "$build/bench/startup_bench" "$runs" "$warmup" "$PWD/$build/bench/libstartup_probe.so"
    "morvelt=$PWD/$build/app/morvelt" "minimal=$PWD/$build/bench/minimal_window"
)

echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)," \
     "$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) memory;" \
     "Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo '?')"
# Elapsed times follow whatever else the machine runs; the load says how much.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# Both platforms start from the same environment: none of the desktop's.
unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_FONT_DPI

# Instructions to the first frame: the probe ends the program there, and
# callgrind counts every instruction up to that point, the threads' included.
# The dynamic loader, run as the program, preloads the probe into it alone:
# through LD_PRELOAD it would reach valgrind's own launcher too.
instructions() {
    local dir loader
    dir=$(mktemp -d)
    loader=$(readelf -l "$1" | sed -n 's/.*program interpreter: \(.*\)]$/\1/p')
    STARTUP_PROBE_FD=3 STARTUP_PROBE_T0=1 \
        valgrind --tool=callgrind --callgrind-out-file="$dir/callgrind.out" \
        "$loader" --preload "$PWD/$build/bench/libstartup_probe.so" "$1" 3>/dev/null 2>/dev/null
    sed -n 's/^summary: *//p' "$dir/callgrind.out"
    rm -rf "$dir"
}
morvelt_instructions=$(QT_QPA_PLATFORM=offscreen instructions "$PWD/$build/app/morvelt")
minimal_instructions=$(QT_QPA_PLATFORM=offscreen instructions "$PWD/$build/bench/minimal_window")
awk -v a="$morvelt_instructions" -v b="$minimal_instructions" 'BEGIN {
    printf "offscreen, instructions to the first frame (callgrind): morvelt %.1f M, minimal %.1f M, ratio %.3f\n\n",
           a / 1e6, b / 1e6, a / b }'

QT_QPA_PLATFORM=offscreen "${bench[@]}"

start_private_x
echo
QT_QPA_PLATFORM=xcb "${bench[@]}"
stop_private_x
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
