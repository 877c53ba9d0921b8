#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing, the demo and the
# gallery need, when they are missing. Safe to run again.
#
# The 32-bit programs run under Wine's 32-bit loader (wine32:i386), so the
# i386 architecture is enabled first. The 64-bit work never waits on the
# 32-bit packages: a package index that fails to update is reported and the
# install is tried with the lists as they are, and when wine32:i386 cannot be
# installed (an i386 index in mid-sync leaves its libraries behind the amd64
# ones) everything else is installed on its own. apt's reason is kept in
# build/wine32-unavailable.txt, which ./run-tests.sh quotes when it skips the
# 32-bit suite; the install is not tried again within the hour.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    googletest
    wine wine64
    xvfb
    imagemagick python3
    fonts-liberation
)
package32=wine32:i386
reason_file=${MARTENUI_WINE32_REASON:-build/wine32-unavailable.txt}

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

has_i386=0
dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386 && has_i386=1

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
want32=0
if [ $has_i386 = 0 ] || ! installed "$package32"; then
    want32=1
    # A recent failure is not tried again on every build.
    if [ -f "$reason_file" ] && [ -n "$(find "$reason_file" -mmin -60 2>/dev/null)" ]; then
        want32=0
    fi
else
    rm -f "$reason_file"
fi
[ ${#missing[@]} -eq 0 ] && [ $want32 = 0 ] && exit 0

all=("${missing[@]}")
[ $want32 = 1 ] && all+=("$package32")

steps=()
[ $has_i386 = 1 ] || steps+=("dpkg --add-architecture i386")
steps+=("apt-get update")
steps+=("DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${all[*]}")

# Decide how to become root before changing anything, so that the install
# never stops halfway.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        {
            echo "These packages are missing: ${all[*]}"
            echo "You are not root and sudo is not installed. Run this as root, then try again:"
            echo
            printf '  %s' "${steps[0]}"
            for step in "${steps[@]:1}"; do printf ' && %s' "$step"; done
            echo
        } >&2
        exit 1
    fi
fi

# apt's error lines, for a message that says why.
apt_errors() {
    grep -E '^(E|W): ' "$1" | grep -v -E '^W: (--force-yes|You may want)' | head -5
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "Installing: ${all[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ $has_i386 = 0 ] && ! "${as_root[@]}" dpkg --add-architecture i386; then
    echo "install-deps: could not enable the i386 architecture; the 32-bit packages are left out." >&2
    want32=0
fi
if ! "${as_root[@]}" apt-get update -qq >"$log" 2>&1; then
    {
        echo "install-deps: 'apt-get update' failed; installing with the package lists as they are:"
        apt_errors "$log" | sed 's/^/  /'
    } >&2
fi

install() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "$@" >"$log" 2>&1
}

if [ $want32 = 1 ] && install "${missing[@]}" "$package32"; then
    rm -f "$reason_file"
    exit 0
fi
if [ $want32 = 1 ]; then
    # Keep apt's reason, then go on without the 32-bit packages.
    mkdir -p "$(dirname "$reason_file")"
    {
        apt_errors "$log"
        echo "retry: scripts/install-deps.sh (or: apt-get update && apt-get install wine32:i386)"
    } >"$reason_file"
    echo "install-deps: $package32 could not be installed; the 64-bit packages are installed on their own." >&2
    sed 's/^/  /' "$reason_file" >&2
fi
[ ${#missing[@]} -eq 0 ] && exit 0
if ! install "${missing[@]}"; then
    {
        echo "install-deps: could not install ${missing[*]}:"
        apt_errors "$log" | sed 's/^/  /'
    } >&2
    exit 1
fi
