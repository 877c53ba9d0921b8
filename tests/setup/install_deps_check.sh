#!/usr/bin/env bash
# scripts/install-deps.sh against a package index made to fail, as a mirror
# in mid-sync fails it: 'apt-get update' exits 100 and wine32:i386 cannot be
# installed. The 64-bit install must go on, and the user must read why the
# 32-bit suite is not run. apt-get, dpkg, dpkg-query and id are stand-ins.
set -u
source_dir=$(cd "${1:?source directory}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
export APT_LOG=$work/apt.log
cat >"$work/bin/apt-get" <<'FAKE'
#!/bin/sh
echo "$*" >>"$APT_LOG"
case "$1" in
update)
    echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
    exit 100 ;;
esac
case " $* " in
*" wine32:i386 "*)
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100 ;;
esac
exit 0
FAKE
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"                 # nothing is installed
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386\nexit 0\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
chmod +x "$work/bin/"*

export MARTENUI_WINE32_REASON=$work/wine32-unavailable.txt
checks=0
failures=0
check() {   # check WHAT EXPECTED ACTUAL
    checks=$((checks + 1))
    if [ "$2" = "$3" ]; then return; fi
    printf 'FAILED: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
}

PATH="$work/bin:$PATH" "$source_dir/scripts/install-deps.sh" >"$work/out" 2>&1
check "install-deps exit status" 0 "$?"
check "apt-get calls" "update|install|install" "$(cut -d' ' -f1 "$APT_LOG" | paste -sd'|')"
check "the first install asks for wine32:i386" 1 "$(sed -n 2p "$APT_LOG" | grep -c 'wine32:i386')"
check "the second install is the 64-bit packages alone" \
    "$(sed -n 2p "$APT_LOG" | sed 's/ wine32:i386//')" "$(sed -n 3p "$APT_LOG")"
check "the second install has the compilers" 1 "$(sed -n 3p "$APT_LOG" | grep -c 'g++-mingw-w64-x86-64-posix')"
check "the failed update is told" 1 "$(grep -c "'apt-get update' failed" "$work/out")"
check "with apt's reason" 1 "$(grep -c 'Mirror sync in progress' "$work/out")"

line=$(cd "$source_dir" && . scripts/common.sh && wine32_missing_reason)
check "the line run-tests.sh prints" \
    "wine32:i386 could not be installed (Unable to correct problems, you have held broken packages.); retry with: scripts/install-deps.sh (or: apt-get update && apt-get install wine32:i386)" \
    "$line"

# Within the hour the failed install is not tried again.
: >"$APT_LOG"
printf '#!/bin/sh\n[ "$2" = wine32:i386 ] && exit 1\necho "install ok installed"\n' >"$work/bin/dpkg-query"
PATH="$work/bin:$PATH" "$source_dir/scripts/install-deps.sh" >"$work/out" 2>&1
check "second run, exit status" 0 "$?"
check "second run, apt-get calls" "" "$(cat "$APT_LOG")"

echo
echo "$((checks - failures)) passed, $failures failed"
[ $failures = 0 ]
