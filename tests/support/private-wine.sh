# The end of a Wine prefix that a shell check made for itself: sourced, it
# offers
#
#   end_wine_prefix PREFIX
#
# which ends the prefix's programs and server, waits for them, and removes
# the folder Wine keeps for that server's socket outside the prefix: under
# /tmp, named by the prefix's device and inode, it would outlive the check
# and be one more after each run. Call it before the prefix itself goes.
end_wine_prefix() {
    local prefix=$1 server dir
    [ -d "$prefix" ] || return 0
    WINEPREFIX=$prefix timeout 30 wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix timeout 30 wineserver -w 2>/dev/null || true
    server=$(printf 'server-%x-%x' "$(stat -c %d "$prefix")" "$(stat -c %i "$prefix")")
    for dir in /tmp/.wine-"$(id -u)"/"$server" /tmp/wine-*/"$server"; do
        [ -d "$dir" ] || continue
        rm -rf "$dir"
        rmdir "$(dirname "$dir")" 2>/dev/null || true
    done
}
