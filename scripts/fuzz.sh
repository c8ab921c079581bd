#!/usr/bin/env bash
# Fuzzes the calculation for longer than the test run does:
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# builds the fuzz targets (build-fuzz, clang) and runs each of them, or only
# those named (their fuzz tests' names without "fuzz_", as
# `ctest --preset fuzz -N -L fuzz` lists them), for SECONDS (default 60), one
# after the other. Each runs as its fuzz test does (tests/fuzz/CMakeLists.txt: its
# flags, corpus and seeds, read from CTest), for longer. What they find
# grows build-fuzz/tests/fuzz/corpus/, which the test run starts from as
# well. An input that breaks a rule is kept in
# build-fuzz/tests/fuzz/crashes/ and its message is printed; the script goes
# on with the next target and fails at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

seconds=${1:-60}
if [ $# -gt 0 ]; then shift; fi
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [SECONDS] [TARGET...]" >&2
    exit 2
fi
targets=("$@")

scripts/install-deps.sh cmake make jq "${fuzz_packages[@]}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null

# The fuzz tests as CTest knows them, each named fuzz_<target>.
tests=$(ctest --preset fuzz -N -L fuzz --show-only=json-v1)
if [ ${#targets[@]} -eq 0 ]; then
    mapfile -t targets < <(jq -r '.tests[].name | sub("^fuzz_"; "")' <<<"$tests")
fi

failed=()
for target in "${targets[@]}"; do
    mapfile -t command < <(jq -r --arg name "fuzz_$target" \
        '.tests[] | select(.name == $name) | .command[]' <<<"$tests")
    if [ ${#command[@]} -eq 0 ]; then
        echo "no fuzz target $target" >&2
        exit 2
    fi
    log=$(dirname "${command[0]}")/$target.log
    echo "fuzz_$target: ${seconds} s, log in $log"
    if "${command[@]/#-max_total_time=*/-max_total_time=$seconds}" >"$log" 2>&1; then
        grep -E '^Done [0-9]+ runs' "$log" | sed 's/^/  /'
    else
        grep -E -A1 'morvelt fuzz: broken' "$log" | sed 's/^/  /'
        grep -E 'runtime error|^SUMMARY: |Test unit written' "$log" | sed 's/^/  /'
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Broken: ${failed[*]}" >&2
    exit 1
fi
echo "Every target held for ${seconds} s."
