#!/usr/bin/env bash
# Runs a command with print queues of its own, so that the printing tests send
# a real job through a real CUPS scheduler and read the page back from a file:
#
#   scripts/with-cups.sh ctest --test-dir build -R print --output-on-failure
#
# It starts a private scheduler (its own configuration, spool and socket in a
# temporary directory, nothing under /etc/cups) whose default printer is a PDF
# queue served by the cups-pdf backend, and a second private scheduler with no
# printer at all, the state of a machine where nothing can be printed. The
# machine's own scheduler, its queues and its default printer are never
# touched. The command sees:
#
#   CUPS_SERVER                 the socket of the scheduler with the queue
#   CUPS_SERVERROOT             an empty folder, so that the machine's client
#                               settings (/etc/cups/lpoptions, client.conf)
#                               stay out
#   MORVELT_CUPS_QUEUE          the queue, which is the default printer
#   MORVELT_CUPS_PDF_DIR        the folder where cups-pdf writes its files
#   MORVELT_CUPS_EMPTY_SERVER   the socket of the scheduler with no printer
#
# cups-pdf runs only as root (its backend is installed 0700), so the
# schedulers need root or passwordless sudo. Without them, or when a private
# scheduler cannot be started, the command still runs, with MORVELT_CUPS_SKIP
# saying why, and the printing tests report themselves skipped.
#
# The schedulers are stopped by their process ids when the command ends, what
# cups-pdf leaves outside them (its output folder, spool folder and log, where
# they were not there before) is removed, and the exit status is the
# command's.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cupsd=/usr/sbin/cupsd
cups_pdf_conf=/etc/cups/cups-pdf.conf

say() { echo "with-cups: $*" >&2; }

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGUMENT...]" >&2
    exit 2
fi

# Only this session's settings reach the command.
unset MORVELT_CUPS_SKIP MORVELT_CUPS_QUEUE MORVELT_CUPS_PDF_DIR MORVELT_CUPS_EMPTY_SERVER
# A user's own choice of printer would hide the session's default one.
unset LPDEST PRINTER

session=""           # the private directory of this session
scheduler_socket=""  # the socket of the private scheduler started last
daemons=()           # "cupsd-pid:job-pid" of each scheduler started here
leftovers=()         # what is created outside the session, to be removed

run() {
    local status=0
    "$@" || status=$?
    cleanup
    trap - EXIT
    exit "$status"
}

skip() {
    export MORVELT_CUPS_SKIP="$1"
    unset MORVELT_CUPS_QUEUE MORVELT_CUPS_PDF_DIR MORVELT_CUPS_EMPTY_SERVER
    say "$1; the printing tests will skip"
}

# --- privileges -------------------------------------------------------------

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
else
    skip "CUPS needs root here: the cups-pdf backend runs only as root, and $(id -un) is neither root nor allowed passwordless sudo"
    as_root=(false)
fi

# --- stopping and cleaning up -----------------------------------------------

# Whether a process runs (a zombie has ended); root's processes included,
# which a user cannot signal.
alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) && [ "$state" != Z ]
}

stop_daemon() {
    local pid=${1%%:*} job=${1##*:}
    "${as_root[@]}" kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
        alive "$pid" || break
        sleep 0.1
    done
    if alive "$pid"; then
        say "cupsd $pid did not stop; killing it"
        "${as_root[@]}" kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$job" 2>/dev/null || true
}

cleanup() {
    for daemon in "${daemons[@]}"; do
        stop_daemon "$daemon"
    done
    daemons=()
    for leftover in "${leftovers[@]}"; do
        "${as_root[@]}" rm -rf -- "$leftover"
    done
    leftovers=()
    if [ -n "$session" ]; then
        "${as_root[@]}" rm -rf -- "$session"
        session=""
    fi
}

trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

[ -n "${MORVELT_CUPS_SKIP:-}" ] && run "$@"

# --- packages ---------------------------------------------------------------

if ! "$here/install-deps.sh" cups printer-driver-cups-pdf; then
    skip "the Debian packages cups and printer-driver-cups-pdf could not be installed"
    run "$@"
fi

# --- where cups-pdf writes --------------------------------------------------

# A setting of cups-pdf's configuration, which it reads from /etc/cups alone;
# it is only read here, never changed.
cups_pdf_setting() {
    local value
    value=$(sed -n "s/^[[:space:]]*$1[[:space:]]\{1,\}\(.*[^[:space:]]\)[[:space:]]*$/\1/p" \
        "$cups_pdf_conf" 2>/dev/null | tail -n 1)
    printf '%s\n' "${value:-$2}"
}

# Jobs are written into the folder of the user who sent them, found in the
# user database; a user it does not know is written as anonymous.
job_user=$(id -un)
if home=$(getent passwd "$job_user" | cut -d: -f6) && [ -n "$home" ]; then
    out=$(cups_pdf_setting Out '${HOME}/PDF')
    pdf_dir=${out//'${HOME}'/$home}
else
    pdf_dir=$(cups_pdf_setting AnonDirName /var/spool/cups-pdf/ANONYMOUS)
fi
pdf_dir=${pdf_dir%/}

# cups-pdf creates these when it first writes; those that are new are removed
# at the end. The output folder is the user's to keep when it was there.
note_leftovers() {
    local queue=$1
    local spool log
    spool=$(cups_pdf_setting Spool /var/spool/cups-pdf/SPOOL)
    log=$(cups_pdf_setting Log /var/log/cups)
    for path in "$pdf_dir" "$spool" "${log:+$log/cups-pdf-${queue}_log}"; do
        if [ -n "$path" ] && [ "$path" != / ] && [ ! -e "$path" ]; then
            leftovers+=("$path")
        fi
    done
}

# --- a private scheduler ----------------------------------------------------

# The base of the session's directory. As root, the scheduler's own spool
# folder, where a confined cupsd (Debian's AppArmor profile) may still read
# its configuration and bind its socket, and where the cups-pdf backend may
# read the queue's PPD; through sudo, the user's temporary folder, since the
# user must reach the sockets.
session_base() {
    if [ ${#as_root[@]} -eq 0 ] && [ -d /var/spool/cups ]; then
        echo /var/spool/cups
    else
        echo "${TMPDIR:-/tmp}"
    fi
}

# Starts a private scheduler in $session/NAME and sets scheduler_socket to its
# socket. Nothing but this user and root can reach the socket, so the open
# policy below lets only them in.
start_private_scheduler() {
    local dir=$session/$1
    "${as_root[@]}" mkdir -p "$dir"/ppd "$dir"/spool/tmp "$dir"/cache "$dir"/state "$dir"/log "$dir"/socket
    "${as_root[@]}" chown "$(id -u)" "$dir"/socket
    chmod 0700 "$dir"/socket
    "${as_root[@]}" tee "$dir"/cups-files.conf >/dev/null <<EOF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
User lp
Group lp
SystemGroup root
FileDevice No
EOF
    "${as_root[@]}" tee "$dir"/cupsd.conf >/dev/null <<EOF
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
    "${as_root[@]}" sh -c 'echo $$ >"$1"; exec "$2" -f -c "$3" -s "$4" >"$5" 2>&1' sh \
        "$dir"/cupsd.pid "$cupsd" "$dir"/cupsd.conf "$dir"/cups-files.conf "$dir"/log/cupsd.out \
        </dev/null &
    local job=$!
    for _ in $(seq 100); do
        [ -s "$dir"/cupsd.pid ] && break
        sleep 0.1
    done
    [ -s "$dir"/cupsd.pid ] || return 1
    daemons+=("$(cat "$dir"/cupsd.pid):$job")
    for _ in $(seq 100); do
        if CUPS_SERVER=$dir/socket/cups.sock lpstat -r 2>/dev/null | grep -q 'is running'; then
            scheduler_socket=$dir/socket/cups.sock
            return 0
        fi
        alive "$job" || break
        sleep 0.1
    done
    return 1
}

# What a scheduler that failed said about it.
scheduler_complaint() {
    local dir=$session/$1
    "${as_root[@]}" cat "$dir"/log/cupsd.out "$dir"/log/error_log 2>/dev/null | grep -v '^[DI] ' | tail -n 5 | tr '\n' ' '
}

# The PPD that comes with cups-pdf, as the scheduler lists it.
cups_pdf_ppd() {
    local models
    models=$(lpinfo -m 2>/dev/null | awk '{print $1}' | grep -i 'cups-pdf' || true)
    grep -m 1 'CUPS-PDF_opt\.ppd$' <<<"$models" || grep -m 1 . <<<"$models"
}

add_queue() {
    local queue=$1 ppd
    ppd=$(cups_pdf_ppd) || { say "the scheduler lists no cups-pdf PPD"; return 1; }
    # lpadmin warns that PPD drivers are deprecated; they still work in CUPS 2.4.
    lpadmin -p "$queue" -v cups-pdf:/ -E -m "$ppd" 2> >(grep -v 'deprecated' >&2) &&
        lpadmin -d "$queue"
}

default_is() {
    [ "$(lpstat -d 2>/dev/null)" = "system default destination: $1" ]
}

private_session() {
    local queue=MorveltPDF socket empty
    session=$("${as_root[@]}" mktemp -d "$(session_base)/morvelt-cups.XXXXXX") || return 1
    "${as_root[@]}" chmod 0755 "$session"
    start_private_scheduler queue ||
        { say "a private cupsd did not start: $(scheduler_complaint queue)"; return 1; }
    socket=$scheduler_socket
    start_private_scheduler empty ||
        { say "a private cupsd did not start: $(scheduler_complaint empty)"; return 1; }
    empty=$scheduler_socket
    export CUPS_SERVER=$socket
    # The machine's client settings (/etc/cups/lpoptions, client.conf) stay out.
    export CUPS_SERVERROOT=$session/queue
    note_leftovers "$queue"
    add_queue "$queue" || { say "the private queue could not be made: $(scheduler_complaint queue)"; return 1; }
    if ! default_is "$queue"; then
        say "the private queue is not the default printer: $(lpstat -d 2>&1) (see ~/.cups/lpoptions)"
        return 1
    fi
    export MORVELT_CUPS_QUEUE=$queue MORVELT_CUPS_EMPTY_SERVER=$empty
}

# --- the session ------------------------------------------------------------

if ! private_session; then
    cleanup
    unset CUPS_SERVER CUPS_SERVERROOT
    skip "no private CUPS scheduler could be set up (see the message above)"
    run "$@"
fi
say "private scheduler at $CUPS_SERVER, queue $MORVELT_CUPS_QUEUE writing into $pdf_dir"
export MORVELT_CUPS_PDF_DIR=$pdf_dir
run "$@"
