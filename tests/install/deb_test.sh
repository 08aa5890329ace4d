#!/usr/bin/env bash
# deb_test.sh BUILD_DIR
#
# Builds the .deb of a built tree with CPack, installs it with dpkg, starts the installed
# simulator in a private Xvfb with a throw-away HOME and XDG_CONFIG_HOME, and removes it
# again. Checks that the package holds every file of the build's game folder, that the
# launcher, menu entry and icon are in place, that the settings land in the user's config
# folder and nothing is written beside the installed files, and that dpkg -r leaves
# nothing behind. Needs root (dpkg): skips with 77 otherwise.
set -u
build=$(realpath -m "${1:?build folder}")
pkg=zorpy-nibbo
share=/usr/share/zorpy-nibbo
title="Zorpy Nibbo (Korvent, Plimquad) Simulator"

[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a .deb needs root"; exit 77; }
for t in cpack dpkg dpkg-deb Xvfb xdotool; do
    command -v "$t" >/dev/null || { echo "SKIP: $t is missing"; exit 77; }
done
if dpkg-query -W -f '${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIP: $pkg is already installed on this machine; not touching it"
    exit 77
fi

tmp=$(mktemp -d)
xpid=""
apid=""
installed=0
dpkg_retry() {  # another dpkg run may hold the lock for a while
    for _ in $(seq 30); do
        dpkg "$@" >"$tmp/dpkg.log" 2>&1 && return 0
        grep -q 'lock' "$tmp/dpkg.log" || break
        sleep 2
    done
    cat "$tmp/dpkg.log" >&2
    return 1
}
cleanup() {
    [ -n "$apid" ] && kill "$apid" 2>/dev/null
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
    wait 2>/dev/null
    [ "$installed" = 1 ] && dpkg_retry -r "$pkg"
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$tmp/log" ] && { echo "--- program output:" >&2; cat "$tmp/log" >&2; }
    exit 1
}

# --- the package and its contents -----------------------------------------------------------
[ -x "$build/game/zorpy-nibbo" ] || fail "no simulator in $build/game"
cpack -G DEB -B "$tmp/pkg" --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$tmp"/pkg/*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "cpack made no .deb"
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' | sort >"$tmp/contents"
(cd "$build/game" && find . -type f | sed "s|^\./|$share/|" | sort) >"$tmp/game_files"
missing=$(comm -23 "$tmp/game_files" "$tmp/contents")
[ -z "$missing" ] || fail "files of the game folder missing from the package: $missing"
for f in /usr/bin/zorpy-nibbo /usr/share/applications/zorpy-nibbo.desktop \
    /usr/share/icons/hicolor/256x256/apps/zorpy-nibbo.png; do
    grep -qx "$f" "$tmp/contents" || fail "$f is not in the package"
done

# --- install ---------------------------------------------------------------------------------
dpkg_retry -i "$deb" || fail "dpkg -i failed (missing dependencies?)"
installed=1
[ "$(command -v zorpy-nibbo)" = /usr/bin/zorpy-nibbo ] || fail "the launcher is not on the PATH"
grep -qx 'Exec=zorpy-nibbo' /usr/share/applications/zorpy-nibbo.desktop || fail "menu entry starts something else"
grep -qx 'Icon=zorpy-nibbo' /usr/share/applications/zorpy-nibbo.desktop || fail "menu entry names another icon"
[ -x "$share/zorpy-nibbo" ] || fail "the simulator is not executable in $share"
find "$share" | sort >"$tmp/before"
touch "$tmp/installed"

# --- start it as a user would, from another folder ----------------------------------------------
exec 9>"$tmp/display"
# -noreset: the server would reset when its last client (a polling xdotool) leaves, and the
# simulator connecting during the reset would fail.
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xpid=$!
exec 9>&-
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$tmp/display")"
mkdir -p "$tmp/home" "$tmp/config/Quillon" "$tmp/elsewhere"
# A stored sound mode and no start dialog: the device itself comes on screen.
printf '[General]\nSoundMode=2\nSplashScreen=0\nFullscreenMode=0\n' >"$tmp/config/Quillon/Zornibak50.conf"
(cd "$tmp/elsewhere" && HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=xcb \
    SDL_AUDIODRIVER=dummy exec zorpy-nibbo) >"$tmp/log" 2>&1 &
apid=$!
pattern="^$(printf '%s' "$title" | sed 's/[][()^$.*+?{}|\\]/\\&/g')\$"
wid=""
for _ in $(seq 150); do
    wid=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    kill -0 "$apid" 2>/dev/null || fail "the installed simulator ended at start"
    sleep 0.1
done
[ -n "$wid" ] || fail "no window of the installed simulator"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 692 ] && [ "$HEIGHT" = 747 ] ||
    fail "the window is ${WIDTH}x${HEIGHT}, not the skin's 692x747 (Config.ini not found?)"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] || fail "the window stayed out of sight at $X,$Y"
# The key bindings are written at start: they must land in the user's store.
grep -q '^Key1=' "$tmp/config/Quillon/Zornibak50.conf" || fail "no settings written to the user's folder"
kill "$apid"
wait "$apid" 2>/dev/null
apid=""
find "$share" | sort >"$tmp/after"
cmp -s "$tmp/before" "$tmp/after" || fail "the simulator wrote beside its installed files: $(comm -13 "$tmp/before" "$tmp/after")"
leftover=$(find "$share" -newer "$tmp/installed" -print)
[ -z "$leftover" ] || fail "files changed in $share: $leftover"

# --- remove ----------------------------------------------------------------------------------
dpkg_retry -r "$pkg" || fail "dpkg -r failed"
installed=0
dpkg-query -W -f '${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' && fail "still installed after dpkg -r"
for f in "$share" /usr/bin/zorpy-nibbo /usr/share/applications/zorpy-nibbo.desktop \
    /usr/share/icons/hicolor/256x256/apps/zorpy-nibbo.png; do
    [ -e "$f" ] && fail "$f is left after dpkg -r"
done
echo "PASS: $(basename "$deb") installs, starts and uninstalls"
