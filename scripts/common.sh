# Sourced by the project's scripts.

# The build folder of an architecture: build/ for x86_64, build-i686/ for i686.
build_dir() {
    case "$1" in
    x86_64) echo build ;;
    i686) echo build-i686 ;;
    *) echo "${0##*/}: unknown architecture $1 (x86_64 or i686)" >&2; exit 2 ;;
    esac
}

# require COMMAND:PACKAGE ...: stops with the Debian package to install when a
# command the script runs is missing, instead of failing halfway with
# "command not found".

require() {
    local pair command package missing=()
    for pair in "$@"; do
        command=${pair%%:*}
        package=${pair#*:}
        command -v "$command" >/dev/null 2>&1 || missing+=("$command (Debian package $package)")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    {
        echo "${0##*/}: missing commands:"
        printf '  %s\n' "${missing[@]}"
        echo "scripts/install-deps.sh installs them all."
    } >&2
    exit 127
}

# Whether this machine's kernel runs 32-bit programs at all: some kernels are
# built without it, and then no 32-bit Wine loader can start.
runs_32bit_programs() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Why 32-bit Wine is missing, in one line: apt's reason when
# scripts/install-deps.sh could not install it, with the command to retry.
wine32_missing_reason() {
    local reason=${MARTENUI_WINE32_REASON:-build/wine32-unavailable.txt}
    if [ -f "$reason" ]; then
        printf 'wine32:i386 could not be installed (%s); %s\n' \
            "$(grep -v '^retry:' "$reason" | head -1 | sed 's/^E: //')" \
            "$(grep '^retry:' "$reason" | head -1 | sed 's/^retry: /retry with: /')"
    else
        echo "32-bit Wine is missing (Debian package wine32:i386); scripts/install-deps.sh installs it."
    fi
}

# Wine runs the 32-bit programs only with its 32-bit loader, which the package
# wine32:i386 brings; the `wine` command silently falls back to 64-bit without it.
require_wine32() {
    if [ ! -x /usr/lib/wine/wine ]; then
        echo "${0##*/}: $(wine32_missing_reason)" >&2
        exit 127
    fi
    if ! runs_32bit_programs; then
        echo "${0##*/}: this machine's kernel runs no 32-bit programs, so 32-bit Wine cannot start here." >&2
        exit 126
    fi
}

# Debian's `wine` starts every program through the 32-bit loader once
# wine32:i386 is installed, and that loader cannot start where the kernel runs
# no 32-bit programs. There the 64-bit programs are started with the 64-bit
# loader directly, through a `wine` of our own ahead on the PATH (wineboot
# finds it there too).
use_64bit_wine_loader_when_needed() {
    [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] || return 0
    runs_32bit_programs && return 0
    local shim name
    shim=${TMPDIR:-/tmp}/martenui-wine64-$(id -u)
    mkdir -p "$shim"
    for name in wine wine-stable; do
        printf '%s\n' '#!/bin/sh' 'export WINELOADER=/usr/lib/wine/wine64' 'exec /usr/lib/wine/wine64 "$@"' \
            >"$shim/$name.$$"
        chmod +x "$shim/$name.$$"
        mv -f "$shim/$name.$$" "$shim/$name"
    done
    case ":$PATH:" in *":$shim:"*) ;; *) export PATH="$shim:$PATH" ;; esac
}
use_64bit_wine_loader_when_needed
