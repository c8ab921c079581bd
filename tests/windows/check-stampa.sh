#!/usr/bin/env bash
# STAMPA in the Windows program under Wine: the window hands its page to the
# Windows print helper, which paints it on Windows' default printer; Wine's
# spooler passes it on to the private CUPS queue that scripts/with-cups.sh
# set up, whose printout must be one A4 page with the window on it, and no
# message is shown.
#
#   check-stampa.sh PROGRAM.exe WINE-RUN [--path FOLDER]...
set -euo pipefail
source "$(dirname "$0")/../../scripts/find-window.sh"
program=$1
shift
if [ -z "${MORVELT_CUPS_PRINTOUT:-}" ]; then
    echo "SKIP: not run under scripts/with-cups.sh: no private print queue to print on"
    exit 77
fi
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

display=:$((600 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
rm -f "$MORVELT_CUPS_PRINTOUT"

"$@" "$program" >/dev/null 2>&1 &
pids+=($!)
find_window '^Valutazione Morvelt' >/dev/null || { echo "the program showed no window"; exit 1; }
# Wine may replace its first window meanwhile: take the one that stays.
sleep 1
window=$(find_window '^Valutazione Morvelt')
# STAMPA stands at (16, 472) in the window, 65 x 33 pixels.
xdotool mousemove --window "$window" 48 488 click 1
for _ in $(seq 600); do [ -s "$MORVELT_CUPS_PRINTOUT" ] && break; sleep 0.1; done
[ -s "$MORVELT_CUPS_PRINTOUT" ] || { echo "the queue wrote no page"; exit 1; }
sleep 1
info=$(pdfinfo "$MORVELT_CUPS_PRINTOUT")
grep -q '^Pages: *1$' <<<"$info" || { echo "not one page: $info"; exit 1; }
grep -q '^Page size: *595 x 842 pts' <<<"$info" || { echo "not A4: $info"; exit 1; }
# The window's page, not a blank sheet: its ink covers a few percent of it.
pdftoppm -r 20 -gray -singlefile "$MORVELT_CUPS_PRINTOUT" "$work"/page
header=$(head -n 3 "$work"/page.pgm | wc -c)   # P5, the size, the maximum
ink=$(tail -c +"$((header + 1))" "$work"/page.pgm | od -An -v -tu1 |
      tr -s ' ' '\n' | awk 'NF { total++; if ($1 < 128) dark++ } END { printf "%.3f", dark / total }')
awk -v ink="$ink" 'BEGIN { exit !(ink > 0.01) }' || { echo "the page is blank (ink $ink)"; exit 1; }
if xdotool search --onlyvisible --name '^Morvelt$' >/dev/null 2>&1; then
    echo "a message was shown"; exit 1
fi
echo "STAMPA under Wine: one A4 page on the private CUPS queue, ink on $ink of it, no message"
