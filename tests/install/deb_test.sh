#!/usr/bin/env bash
# deb_test.sh BUILD_DIR
#
# The .deb as a user meets it. Builds it with CPack from a built tree; lintian must report
# no error and no warning. Installs it with dpkg; the menu entry and the AppStream metainfo
# must pass their validators, the installed skin checker must pass the installed skin. An
# ordinary user (nobody) starts the installed simulator from /, from the home folder and
# from /tmp in a private Xvfb: each time the device must come on screen with its skin,
# sound on, and the user's stored settings kept, and SIGTERM must end it; nothing may be
# written in the game folder. dpkg -r must then leave none of the package's files. Needs
# root (dpkg): skips with 77 otherwise.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../e2e/e2e_lib.sh
source "$here/../e2e/e2e_lib.sh"
build=$(realpath -m "${1:?build folder}")
pkg=zorpy-nibbo
data=/usr/share/games/zorpy-nibbo

[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a .deb needs root"; exit 77; }
for t in cpack dpkg dpkg-deb lintian appstreamcli desktop-file-validate setpriv; do
    command -v "$t" >/dev/null || { echo "FAIL: $t is missing" >&2; exit 1; }
done
if dpkg-query -W -f '${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIP: $pkg is already installed on this machine; not touching it"
    exit 77
fi

e2e_init
installed=0
dpkg_retry() {  # another dpkg run may hold the lock for a while
    for _ in $(seq 30); do
        dpkg "$@" >"$E2E_TMP/dpkg.log" 2>&1 && return 0
        grep -q 'lock' "$E2E_TMP/dpkg.log" || break
        sleep 2
    done
    cat "$E2E_TMP/dpkg.log" >&2
    return 1
}
cleanup() {
    [ -n "$E2E_PID" ] && kill -KILL "$E2E_PID" 2>/dev/null && wait "$E2E_PID" 2>/dev/null
    E2E_PID=""
    [ "$installed" = 1 ] && dpkg_retry -r "$pkg"
    e2e_cleanup
}
trap cleanup EXIT

# --- the package: lintian and its contents ---------------------------------------------------
[ -x "$build/game/zorpy-nibbo" ] || e2e_fail "no simulator in $build/game"
cpack -G DEB -B "$E2E_TMP/pkg" --config "$build/CPackConfig.cmake" >"$E2E_TMP/cpack.log" 2>&1 ||
    { cat "$E2E_TMP/cpack.log" >&2; e2e_fail "cpack failed"; }
deb=$(ls "$E2E_TMP"/pkg/*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || e2e_fail "cpack made no .deb"
lintian --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1
status=$?
if [ $status -ne 0 ] || grep -q '^[EW]: ' "$E2E_TMP/lintian.log"; then
    cat "$E2E_TMP/lintian.log" >&2
    e2e_fail "lintian (status $status) on $(basename "$deb")"
fi

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./|/|' | sort >"$E2E_TMP/files"
outside=$(grep -v -e '^/usr/games/' -e '^/usr/share/' "$E2E_TMP/files")
[ -z "$outside" ] || e2e_fail "files outside /usr/games and /usr/share: $outside"
(cd "$build/game" && find . -type f ! -name zorpy-nibbo ! -name '*.preview' | sed "s|^\./|$data/|" | sort) \
    >"$E2E_TMP/game_files"
missing=$(comm -23 "$E2E_TMP/game_files" "$E2E_TMP/files")
[ -z "$missing" ] || e2e_fail "files of the game folder missing from the package: $missing"
for f in /usr/games/zorpy-nibbo /usr/games/zorpy-nibbo-skin-check /usr/share/applications/zorpy-nibbo.desktop \
    /usr/share/man/man6/zorpy-nibbo.6.gz /usr/share/man/man6/zorpy-nibbo-skin-check.6.gz \
    /usr/share/doc/zorpy-nibbo/copyright /usr/share/doc/zorpy-nibbo/changelog.gz; do
    grep -qx "$f" "$E2E_TMP/files" || e2e_fail "$f is not in the package"
done
for size in 16 32 48 64 128 256; do
    grep -qx "/usr/share/icons/hicolor/${size}x$size/apps/zorpy-nibbo.png" "$E2E_TMP/files" ||
        e2e_fail "no ${size}x$size icon in the package"
done
metainfo=$(grep -m1 '^/usr/share/metainfo/.*\.metainfo\.xml$' "$E2E_TMP/files") ||
    e2e_fail "no AppStream metainfo in the package"

# --- install and validate ----------------------------------------------------------------------
dpkg_retry -i "$deb" || e2e_fail "dpkg -i failed (missing dependencies?)"
installed=1
desktop-file-validate /usr/share/applications/zorpy-nibbo.desktop >"$E2E_TMP/validate.log" 2>&1 ||
    { cat "$E2E_TMP/validate.log" >&2; e2e_fail "desktop-file-validate"; }
appstreamcli validate --no-net "$metainfo" >"$E2E_TMP/validate.log" 2>&1 ||
    { cat "$E2E_TMP/validate.log" >&2; e2e_fail "appstreamcli validate --no-net $metainfo"; }
grep -qx 'Exec=zorpy-nibbo' /usr/share/applications/zorpy-nibbo.desktop || e2e_fail "menu entry starts something else"
find "$data" | sort >"$E2E_TMP/before"
touch "$E2E_TMP/installed"

# --- an ordinary user ----------------------------------------------------------------------------
chmod 711 "$E2E_TMP"
home=$E2E_TMP/home
mkdir -p "$home/.config/Quillon" "$home/run"
chmod 700 "$home/run"
store=$home/.config/Quillon/Zornibak50.conf
# Sound on (SDL's dummy output) and no start dialog: the device itself comes on screen.
printf '[General]\nSoundMode=0\nSplashScreen=0\nFullscreenMode=0\n' >"$store"
chown -R nobody:nogroup "$home"

e2e_start_x
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups -- env -i HOME="$home"
    XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run" DISPLAY="$DISPLAY"
    PATH=/usr/games:/usr/bin:/bin QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy)
"${as_user[@]}" zorpy-nibbo-skin-check "$data/Config.ini" >"$E2E_TMP/log" 2>&1 ||
    e2e_fail "the installed skin checker finds problems in the installed skin"
for dir in / "$home" /tmp; do
    (cd "$dir" && exec "${as_user[@]}" zorpy-nibbo) >"$E2E_TMP/log" 2>&1 &
    E2E_PID=$!
    wid=$(e2e_wait_window) || exit 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    [ "$WIDTH" = 692 ] && [ "$HEIGHT" = 747 ] ||
        e2e_fail "started from $dir: the window is ${WIDTH}x$HEIGHT, not the skin's 692x747"
    grep -q '^Key1=' "$store" || e2e_fail "started from $dir: no key bindings in the user's settings"
    grep -qx 'SoundMode=0' "$store" && grep -qx 'SplashScreen=0' "$store" ||
        e2e_fail "started from $dir: the stored settings changed: $(cat "$store")"
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "started from $dir: the simulator ended"
    # A session's logout ends its programs with SIGTERM.
    kill -TERM "$E2E_PID"
    e2e_wait_exit 10 || { kill -KILL "$E2E_PID"; e2e_fail "started from $dir: SIGTERM did not end the simulator"; }
done
find "$data" | sort >"$E2E_TMP/after"
cmp -s "$E2E_TMP/before" "$E2E_TMP/after" ||
    e2e_fail "the simulator wrote in its game folder: $(comm -13 "$E2E_TMP/before" "$E2E_TMP/after")"
changed=$(find "$data" -newer "$E2E_TMP/installed" -print)
[ -z "$changed" ] || e2e_fail "files changed in $data: $changed"

# --- remove ------------------------------------------------------------------------------------
dpkg_retry -r "$pkg" || e2e_fail "dpkg -r failed"
installed=0
left=$(while read -r f; do [ -e "$f" ] && echo "$f"; done <"$E2E_TMP/files")
[ -z "$left" ] || e2e_fail "left after dpkg -r: $left"
for d in "$data" /usr/share/doc/zorpy-nibbo; do
    [ -e "$d" ] && e2e_fail "$d is left after dpkg -r"
done
echo "PASS: $(basename "$deb"): lintian clean, installs, starts from /, \$HOME and /tmp, uninstalls"
