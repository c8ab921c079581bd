#!/usr/bin/env bash
# Runs a command with print queues of its own, so that the printing tests send
# a real job through a real CUPS scheduler and read the page back from a file:
#
#   scripts/with-cups.sh ctest --test-dir build -R '^print_' --output-on-failure
#
# It starts two private schedulers as the user who runs it, each with its own
# configuration, spool and socket in a temporary folder of this run (nothing
# under /etc/cups, /var or the user's home): one whose default printer is a
# PDF queue, and one with no printer at all, the state of a machine where
# nothing can be printed. The queue runs the page through the scheduler's
# filters for a generic PDF printer (cups-filters' Generic PDF Printer PPD,
# its A4 sheet printable to the edges) and its device is a file in the same
# folder, so a job ends as a PDF whose name the command is told. The
# machine's own scheduler, its queues and its default printer are never
# touched. The command sees:
#
#   CUPS_SERVER                 the socket of the scheduler with the queue
#   CUPS_SERVERROOT             an empty folder, so that the machine's client
#                               settings (/etc/cups/lpoptions, client.conf)
#                               stay out
#   HOME                        an empty folder, so that the user's client
#                               settings (~/.cups/lpoptions, client.conf) stay
#                               out; LPDEST and PRINTER are unset
#   MORVELT_CUPS_QUEUE          the queue, which is the default printer
#   MORVELT_CUPS_PRINTOUT       the file the queue writes each job's page to
#   MORVELT_CUPS_EMPTY_SERVER   the socket of the scheduler with no printer
#
# Where a private scheduler cannot be started, the command still runs, with
# MORVELT_CUPS_SKIP saying why, and the printing tests report themselves
# skipped. The schedulers are stopped by their process ids when the command
# ends, and end by themselves if this script is killed; the folder is removed;
# the exit status is the command's.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cupsd=/usr/sbin/cupsd
# A PDF printer's driver: cups-filters' pdftopdf prepares the page for it, and
# what reaches the device is a PDF.
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd

say() { echo "with-cups: $*" >&2; }

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGUMENT...]" >&2
    exit 2
fi

# The administration programs (lpadmin, cupsaccept, cupsreject) live in
# /usr/sbin, which a plain user's PATH on Debian does not hold; the tests
# call some of them too.
export PATH=$PATH:/usr/sbin

# Only this run's settings reach the command.
unset MORVELT_CUPS_SKIP MORVELT_CUPS_QUEUE MORVELT_CUPS_PRINTOUT MORVELT_CUPS_EMPTY_SERVER
# A user's own choice of printer would hide the session's default one.
unset LPDEST PRINTER

session=""   # the private folder of this run
daemons=()   # the process id of each scheduler started here

stop_daemon() {
    kill -TERM "$1" 2>/dev/null || true
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$1" 2>/dev/null; then
        say "cupsd $1 did not stop; killing it"
        kill -KILL "$1" 2>/dev/null || true
    fi
    wait "$1" 2>/dev/null || true
}

cleanup() {
    for daemon in "${daemons[@]}"; do
        stop_daemon "$daemon"
    done
    daemons=()
    if [ -n "$session" ]; then
        rm -rf -- "$session"
        session=""
    fi
}

run() {
    local status=0
    "$@" || status=$?
    cleanup
    trap - EXIT
    exit "$status"
}

skip() {
    cleanup
    unset CUPS_SERVER CUPS_SERVERROOT MORVELT_CUPS_QUEUE MORVELT_CUPS_PRINTOUT MORVELT_CUPS_EMPTY_SERVER
    export HOME=$user_home
    export MORVELT_CUPS_SKIP="$1"
    say "$1; the printing tests will skip"
    run "${command[@]}"
}

trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

command=("$@")
user_home=${HOME:-}

if ! "$here/install-deps.sh" cups cups-filters || [ ! -x "$cupsd" ] || [ ! -r "$ppd" ]; then
    skip "the Debian packages cups and cups-filters could not be installed"
fi

session=$(mktemp -d "${TMPDIR:-/tmp}/morvelt-cups.XXXXXX")
# As root the scheduler runs its filters as the user lp, which must reach the
# queue's PPD and spool here; a plain user's scheduler runs them as that user.
if [ "$(id -u)" -eq 0 ]; then chmod 0755 "$session"; fi
mkdir "$session"/home "$session"/client "$session"/out
# libcups reads ~/.cups and CUPS_SERVERROOT for client settings; both are
# empty here, for the script's own lpadmin and lpstat too.
export HOME=$session/home CUPS_SERVERROOT=$session/client

# Starts a private scheduler in $session/NAME, listening on
# $session/NAME/socket/cups.sock. Only this user (and root) can reach the
# socket, so the open policy lets only them in.
start_private_scheduler() {
    local dir=$session/$1
    mkdir -p "$dir"/ppd "$dir"/spool/tmp "$dir"/cache "$dir"/state "$dir"/log "$dir"/socket
    chmod 0700 "$dir"/socket
    cat >"$dir"/cups-files.conf <<EOF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
EOF
    cat >"$dir"/cupsd.conf <<EOF
Listen $dir/socket/cups.sock
Browsing No
WebInterface No
LogLevel info
DefaultPolicy default
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    # The scheduler gets SIGTERM when this script ends, however it ends.
    setpriv --pdeathsig TERM "$cupsd" -f -c "$dir"/cupsd.conf -s "$dir"/cups-files.conf \
        </dev/null >"$dir"/log/cupsd.out 2>&1 &
    local pid=$!
    daemons+=("$pid")
    for _ in $(seq 100); do
        if CUPS_SERVER=$dir/socket/cups.sock lpstat -r 2>/dev/null | grep -q 'is running'; then
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    say "a private cupsd did not start: $(grep -hv '^[DI] ' "$dir"/log/cupsd.out "$dir"/log/error_log 2>/dev/null | tail -n 5 | tr '\n' ' ')"
    return 1
}

queue=MorveltPDF
printout=$session/out/page.pdf
for name in empty queue; do
    start_private_scheduler "$name" ||
        skip "no private CUPS scheduler could be started (see the message above)"
done
export CUPS_SERVER=$session/queue/socket/cups.sock
# The queue's paper is A4, printable to its edges as a PDF file is; the page
# layout that Qt then gives the queue is the one of the program's own page.
sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "0 0 595 842"|' "$ppd" >"$session"/printer.ppd
# lpadmin warns that PPD drivers are deprecated; they still work in CUPS 2.4.
if ! lpadmin -p "$queue" -v "file://$printout" -E -P "$session"/printer.ppd -o PageSize=A4 2> >(grep -v 'deprecated' >&2) ||
    ! lpadmin -d "$queue"; then
    skip "the private queue could not be made: $(grep -hv '^[DI] ' "$session"/queue/log/error_log 2>/dev/null | tail -n 5 | tr '\n' ' ')"
fi
if [ "$(lpstat -d 2>&1)" != "system default destination: $queue" ]; then
    skip "the private queue is not the default printer: $(lpstat -d 2>&1)"
fi
export MORVELT_CUPS_QUEUE=$queue MORVELT_CUPS_PRINTOUT=$printout MORVELT_CUPS_EMPTY_SERVER=$session/empty/socket/cups.sock
say "private scheduler at $CUPS_SERVER, queue $queue writing into $printout"
run "$@"
