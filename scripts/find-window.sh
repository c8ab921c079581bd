# find_window NAME-PATTERN: the id of a visible window whose name matches,
# waiting up to 60 s for it. Wine makes and drops windows while a search
# looks at them, which ends the search with an X error: search again.
find_window() {
    local found=""
    for _ in $(seq 600); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$found" ] && break
        sleep 0.1
    done
    [ -n "$found" ] && echo "$found"
}
