# Debian's source of the machine's own Qt, for the cross builds (Windows, the
# browser): sourced, it sets qt_version, the version of the machine's Qt host
# tools, and offers
#
#   fetch_qt_source APT_FOLDER FOLDER
#
# which unpacks qt6-base of that version into FOLDER through apt with a
# configuration of its own in APT_FOLDER: the machine's sources, as deb-src,
# so that the machine's apt set-up stays as it is; and
#
#   build_qt SYSTEM [CMAKE_ARGUMENT...]
#
# which builds that source with $qt_options and the CMake arguments, in
# $cache/qt-build-$key, and installs it into $qt (the caller's *-paths.sh
# sets these), saying so for SYSTEM; its build tree goes once installed.
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)

fetch_qt_source() {
    local apt=$1 dir=$2
    mkdir -p "$apt"/sources.list.d "$apt"/lists/partial "$apt"/cache/archives/partial "$dir"
    : >"$apt"/sources.list
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt"/sources.list
    fi
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        sed 's/^Types:.*/Types: deb-src/' "$file" >"$apt"/sources.list.d/"$(basename "$file")"
    done
    for file in /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -n 's/^deb \(.*\)/deb-src \1/p' "$file" >"$apt"/sources.list.d/"$(basename "$file")"
    done
    local options=(-o Dir::Etc::SourceList="$apt"/sources.list
                   -o Dir::Etc::SourceParts="$apt"/sources.list.d
                   -o Dir::State::Lists="$apt"/lists -o Dir::Cache="$apt"/cache)
    apt-get "${options[@]}" update -qq
    (cd "$dir" && apt-get "${options[@]}" source -qq "qt6-base=$qt_version")
}

# qt_step STEP LOG COMMAND...: runs COMMAND with its output in LOG, and
# says every 30 s that STEP goes on: how long so far and, once the log has
# one, the build tool's last "[done/total]". A build of an hour or more must
# not look like a hang; the log keeps the whole story.
qt_step() {
    local step=$1 log=$2 started=$SECONDS ticker status=0
    shift 2
    (
        # Ends within 30 s of the script that started it, however that ends.
        while sleep 30 </dev/null >/dev/null 2>&1 && kill -0 $$ 2>/dev/null; do
            local at
            # Read from the end: a compiler's warnings may follow it by
            # hundreds of lines.
            at=$(tac "$log" 2>/dev/null | grep -m 1 -o '^\[[0-9]*/[0-9]*\]') || true
            local took=$((SECONDS - started))
            echo "building Qt for $qt_system: $step${at:+ $at}," \
                 "$((took / 60)) min $((took % 60)) s so far" >&2
        done
    ) &
    ticker=$!
    "$@" >"$log" 2>&1 || status=$?
    pkill -P "$ticker" 2>/dev/null || true
    kill "$ticker" 2>/dev/null || true
    wait "$ticker" 2>/dev/null || true
    return "$status"
}

build_qt() {
    local qt_system=$1 work=$cache/qt-build-$key source
    shift
    rm -rf "$work"
    echo "building Qt $qt_version for $qt_system into $qt (once per machine," \
         "a line every 30 s)" >&2
    fetch_qt_source "$cache"/apt "$work"
    source=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    mkdir "$work"/build
    cd "$work"/build
    { qt_step "step 1/3, configure" "$work"/configure.log \
          "$source"/configure "${qt_options[@]}" -prefix "$qt.partial" -- "$@" \
              -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake &&
      qt_step "step 2/3, compile" "$work"/build.log cmake --build . --parallel "$(nproc)" &&
      qt_step "step 3/3, install" "$work"/install.log cmake --install .; } ||
        { echo "the Qt build failed; its logs are in $work" >&2; exit 1; }
    cd - >/dev/null
    mv "$qt.partial" "$qt"
    rm -rf "$work"
}
