#!/usr/bin/env bash
# skin_check_broken.sh CHECKER GAME_DIR: a copy of the generated skin with three faults must make
# the checker exit 1 and name each of them; checked from another working directory.
set -u
checker=$(realpath "$1") game=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp -r "$game/Config.ini" "$game/Graphics" "$tmp/"
printf 'garbage' >"$tmp/Graphics/Skin/ghost.png"
slot=$("$checker" --slot im_nibbo_09_07) || { echo "FAIL: no slot for im_nibbo_09_07" >&2; exit 1; }
sed -i -e "/^\[Image$slot\]/,/^\[/ s/^Left=.*/Left=twelve/" \
       -e '/^\[VideoMode\]/,/^\[/ s/^TranspColor=.*/TranspColor=pink/' "$tmp/Config.ini"
out=$(cd / && "$checker" "$tmp/Config.ini")
rc=$?
echo "$out"
[ "$rc" -eq 1 ] || { echo "FAIL: exit status $rc, expected 1" >&2; exit 1; }
for want in "ghost.png' cannot be decoded" "[Image$slot] Left: 'twelve' is not a valid integer value" \
            "[VideoMode] TranspColor: 'pink'" "3 problems"; do
    grep -qF "$want" <<<"$out" || { echo "FAIL: no \"$want\" in the list" >&2; exit 1; }
done
"$checker" >/dev/null 2>&1; [ $? -eq 2 ] || { echo "FAIL: no usage error without an argument" >&2; exit 1; }
echo "PASS"
