#!/usr/bin/env bash
# Fuzzes the calculation for longer than the test run does:
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# builds the fuzz targets (build-fuzz, clang) and runs each of them, or only
# those named (read_number read_count reply_value number_text integer_text
# tenths_text calculate_grade), for SECONDS (default 60), one after the
# other. What they find grows build-fuzz/tests/fuzz/corpus/, which the test
# run starts from as well. An input that breaks a rule is kept in
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
if [ ${#targets[@]} -eq 0 ]; then
    targets=(read_number read_count reply_value number_text integer_text tenths_text
             calculate_grade)
fi

scripts/install-deps.sh cmake make "${fuzz_packages[@]}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null

dir=build-fuzz/tests/fuzz
failed=()
for target in "${targets[@]}"; do
    if [ ! -x "$dir/fuzz_$target" ]; then
        echo "no fuzz target $target" >&2
        exit 2
    fi
    log=$dir/$target.log
    echo "fuzz_$target: ${seconds} s, log in $log"
    if "$dir/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$dir/crashes/$target-" \
            "$dir/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
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
