#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing, the demo and the
# gallery need, when they are missing. Safe to run again.
#
# The 32-bit programs run under Wine's 32-bit loader (wine32:i386), so the
# i386 architecture is enabled first.
set -euo pipefail

packages=(
    cmake ninja-build
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    googletest
    wine wine64 wine32:i386
    xvfb
    imagemagick python3
)

has_i386=0
dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386 && has_i386=1

missing=()
for package in "${packages[@]}"; do
    if [ "$package" = wine32:i386 ] && [ $has_i386 = 0 ]; then
        missing+=("$package")
    elif ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

steps=()
[ $has_i386 = 1 ] || steps+=("dpkg --add-architecture i386")
steps+=("apt-get update")
steps+=("DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}")

# Decide how to become root before changing anything, so that the install
# never stops halfway.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        {
            echo "These packages are missing: ${missing[*]}"
            echo "You are not root and sudo is not installed. Run this as root, then try again:"
            echo
            printf '  %s' "${steps[0]}"
            for step in "${steps[@]:1}"; do printf ' && %s' "$step"; done
            echo
        } >&2
        exit 1
    fi
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
[ $has_i386 = 1 ] || "${as_root[@]}" dpkg --add-architecture i386
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
