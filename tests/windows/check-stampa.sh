#!/usr/bin/env bash
# STAMPA in the Windows program under Wine: the window hands its page to the
# Windows print helper, which paints it on Windows' default printer; Wine's
# spooler passes it on to the private CUPS queue that scripts/with-cups.sh
# set up, whose printout must be one A4 page with the window on it, and no
# message is shown.
#
# Then the worked example as a teacher does it with the mouse: 3 questions,
# INSERISCI pressed, the scores 4, 5 and 3 answered, STAMPA pressed. The
# buttons on that page must be those of the fresh window's page, printed
# from the keyboard: no state cue (focus, default button, hover, or the
# fade from one to another) of the window's style on paper.
#
#   check-stampa.sh PROGRAM.exe WINE-RUN [--path FOLDER]...
set -euo pipefail
source "$(dirname "$0")/../../scripts/find-window.sh"
source "$(dirname "$0")/../support/private-x.sh"
program=$1
shift
if [ -z "${MORVELT_CUPS_PRINTOUT:-}" ]; then
    echo "SKIP: not run under scripts/with-cups.sh: no private print queue to print on"
    exit 77
fi
source "$(dirname "$0")/../support/scratch.sh"
source "$(dirname "$0")/../support/private-wine.sh"

# A Wine prefix of its own, made by the runner at first use: the Windows
# tests beside this one run on no display, and a prefix's session has one
# desktop, made with the display of the program that started it; a program
# that joins it there shows no window. Its server goes with the check.
export MORVELT_WINE_PREFIX=$work/wine
trap 'end_wine_prefix "$MORVELT_WINE_PREFIX"; end_scratch' EXIT

start_private_x

# open: starts the program, once its window shows.
open() {
    "$@" "$program" >/dev/null 2>&1 &
    pids+=($!)
    find_window '^Valutazione Morvelt' >/dev/null || fail "the program showed no window"
}
# The program's window, looked up at each use: Wine may replace its first
# window with another.
window() { find_window '^Valutazione Morvelt' || fail "the program's window has gone"; }
# click X Y: a click at that point of the window, in pixels.
click() { xdotool mousemove --window "$(window)" "$1" "$2" click 1; }
# await WHAT TEST...: runs TEST every tenth of a second until it holds, for
# at most 60 s, then fails, naming WHAT.
await() {
    local what=$1
    shift
    for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done
    fail "$what, within 60 s"
}
# The queue has written the page of every job it was given.
queue_done() {
    local waiting
    waiting=$(lpstat -W not-completed -o "$MORVELT_CUPS_QUEUE") || return 1
    [ -s "$MORVELT_CUPS_PRINTOUT" ] && [ -z "$waiting" ]
}
helpers_ended() { ! pgrep -if 'morvelt-print\.exe' >/dev/null; }
# print PDF mouse|keyboard: STAMPA, which stands at (16, 472) in the window,
# 65 x 33 pixels, clicked, or reached with Tab from CLASSE at (240, 33) and
# pressed with the space bar; the queue's page is kept as PDF.
print() {
    rm -f "$MORVELT_CUPS_PRINTOUT"
    if [ "$2" = mouse ]; then
        click 48 488
    else
        click 240 33
        xdotool key Tab space
    fi
    await "the queue wrote no page" queue_done
    mv "$MORVELT_CUPS_PRINTOUT" "$1"
}

# ink PDF LEVEL: the share of the page, in grey at 20 dpi, darker than LEVEL.
ink() {
    pdftoppm -r 20 -gray -singlefile "$1" "$work"/page
    local header
    header=$(head -n 3 "$work"/page.pgm | wc -c)   # P5, the size, the maximum
    tail -c +"$((header + 1))" "$work"/page.pgm | od -An -v -tu1 | tr -s ' ' '\n' |
        awk -v level="$2" 'NF { total++; if ($1 < level) dark++ } END { printf "%.3f", dark / total }'
}

# The fresh window's page, with nothing under the pointer. Wine's spooler
# sets up its copy of the private queue's driver at the session's first job,
# and may then send that page as a picture, its text grey (measured here: 8
# first jobs of 28; none of 8 second jobs, nor a later job of 5 whole runs):
# that first page is only checked to be the window's, not a blank sheet, and
# the page compared below is the second.
open "$@"
print "$work/first.pdf" keyboard
first=$(ink "$work/first.pdf" 200)
awk -v ink="$first" 'BEGIN { exit !(ink > 0.01) }' || fail "the first page is blank (ink $first)"
print "$work/fresh.pdf" keyboard
info=$(pdfinfo "$work/fresh.pdf")
grep -q '^Pages: *1$' <<<"$info" || fail "not one page: $info"
grep -q '^Page size: *595 x 842 pts' <<<"$info" || fail "not A4: $info"
# The window's page, not a blank sheet: its ink covers a few percent of it.
ink=$(ink "$work/fresh.pdf" 128)
awk -v ink="$ink" 'BEGIN { exit !(ink > 0.01) }' || fail "the page is blank (ink $ink)"
# The window learns the page's fate as its helper ends.
await "the print helper did not end" helpers_ended
if xdotool search --onlyvisible --name '^Morvelt$' >/dev/null 2>&1; then
    fail "a message was shown"
fi
echo "STAMPA under Wine: one A4 page on the private CUPS queue, ink on $ink of it, no message"
xdotool windowclose "$(window)" 2>/dev/null || true

# The worked example, by mouse: txtb at (173, 126), INSERISCI at (380, 248);
# each prompt's reply field clicked before the reply is typed, as no window
# manager gives it the keyboard. Wine makes each prompt a new X window: the
# next prompt is the one that was not there before. With no window manager
# the keys go to the X window under the pointer, and Wine takes the click
# and the keys in the order they were sent.
# new_prompt EARLIER: the id of a shown prompt other than EARLIER.
new_prompt() {
    xdotool search --onlyvisible --name '^Punteggi$' 2>/dev/null | grep -vx "$1" | head -n 1
}
prompt_shown() { [ -n "$(new_prompt "$1")" ]; }
prompt_gone() { ! xdotool search --onlyvisible --name '^Punteggi$' 2>/dev/null | grep -qx "$1"; }
open "$@"
click 173 126
xdotool type --delay 30 3
click 380 248
prompt=none
for score in 4 5 3; do
    await "no prompt for the score $score" prompt_shown "$prompt"
    prompt=$(new_prompt "$prompt")
    xdotool mousemove --sync --window "$prompt" 100 40 click 1
    xdotool type --delay 30 "$score"
    xdotool key Return
    await "the prompt for $score did not close" prompt_gone "$prompt"
done
# STAMPA pressed twice: with the pointer coming from INSERISCI, whose hover
# the Windows style is still fading out, and after resting on STAMPA.
# rest X Y: the pointer comes to rest there, in the window, as a hand does;
# these pauses are the scenario's, not waits for the program.
rest() {
    xdotool mousemove --window "$(window)" "$1" "$2"
    sleep 0.3
    xdotool mousemove --window "$(window)" $(($1 + 10)) $(($2 + 2))
    sleep 1
}
rest 380 248
print "$work/leaving.pdf" mouse
rest 30 480
print "$work/resting.pdf" mouse

# The pages in grey at 100 dpi, "width height" then a value a line.
for page in fresh leaving resting; do
    pdftoppm -r 100 -gray -singlefile "$work/$page.pdf" "$work/$page"
    { sed -n 2p "$work/$page.pgm"
      tail -c +"$(( $(head -n 3 "$work/$page.pgm" | wc -c) + 1 ))" "$work/$page.pgm" | od -An -v -tu1 |
          tr -s ' ' '\n' | sed '/^$/d'; } >"$work/$page.txt"
done
cmp -s "$work/fresh.txt" "$work/leaving.txt" && fail "the worked example's page shows no results"
# The rows of the window that hold INSERISCI (y 232 to 265) and STAMPA (472
# to 505), 3 pixels wider, hold nothing else that the results change. They
# are placed by the fresh page's ink, which runs from y 8 to 528 of the
# window; the queue turns the landscape page a quarter turn onto the sheet.
for page in leaving resting; do
    for row in "INSERISCI 232 265" "STAMPA 472 505"; do
        read -r name top bottom <<<"$row"
        differing=$(awk -v y0="$((top - 3))" -v y1="$((bottom + 3))" '
            FNR == 1 { width = $1; next }
            { px = (FNR - 2) % width; py = int((FNR - 2) / width) }
            NR == FNR { fresh[FNR] = $1
                        if ($1 < 240) { if (!inked++) { l = px; t = py }
                                        if (px < l) l = px; if (px > r) r = px; b = py }
                        next }
            { turned = b - t > r - l
              y = 8 + (turned ? px - l : py - t) * (528 - 8) / (turned ? r - l : b - t)
              if (y >= y0 && y <= y1 && $1 != fresh[FNR]) n++ }
            END { print n + 0 }' "$work/fresh.txt" "$work/$page.txt")
        [ "$differing" = 0 ] ||
            fail "$name on the worked example's page ($page) differs from the fresh window's in $differing pixels"
    done
done
echo "the worked example's pages by mouse: INSERISCI and STAMPA as on the fresh window's page"
