# What a shell check leaves behind, cleared whenever it ends: sourced, it
# makes a scratch folder, $work, and a list, $pids, for the processes the
# check starts in the background; when the script ends, however it ends,
# they are killed and the folder removed. A check with more to end first
# sets its own EXIT trap and calls end_scratch from it.
#
#   fail MESSAGE...    says what went wrong and ends the check (status 1)
work=$(mktemp -d)
pids=()
end_scratch() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap end_scratch EXIT
fail() { echo "$*"; exit 1; }
