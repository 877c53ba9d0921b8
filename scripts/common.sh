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

# Wine runs the 32-bit programs only with its 32-bit loader, which the package
# wine32:i386 brings; the `wine` command silently falls back to 64-bit without it.
require_wine32() {
    if [ ! -x /usr/lib/wine/wine ]; then
        echo "${0##*/}: 32-bit Wine is missing (Debian package wine32:i386); scripts/install-deps.sh installs it." >&2
        exit 127
    fi
}
