#!/usr/bin/env bash
# Installs the named Debian packages that are missing, as root or through
# sudo. Exits 0 at once when everything is already there.
set -euo pipefail

missing=()
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo)
elif command -v sudo >/dev/null && [ -t 0 ]; then
    as_root=(sudo)
else
    echo "Morvelt needs these Debian packages; install them as root: ${missing[*]}" >&2
    exit 1
fi

echo "Installing ${missing[*]}..."
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
