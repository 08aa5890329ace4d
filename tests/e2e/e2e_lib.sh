# Helpers for end-to-end tests of the simulator in a private X server. Source this file,
# then call e2e_init. Everything started here is stopped when the test's shell exits.
#
#   e2e_init                     temp folder, cleanup on exit
#   e2e_start_x [WxH]            Xvfb on a free display (-displayfd); exports DISPLAY. It keeps
#                                its state, a keyboard layout say, when its last client leaves
#   e2e_copy_game GAME_DIR       copies the runnable folder to the temp folder ($E2E_GAME)
#   e2e_store LINE...            the settings store of the run, e.g. SoundMode=2 SplashScreen=0
#   e2e_run                      starts the copy from inside it, silent ($E2E_PID)
#   e2e_run_from DIR [ARG...]    starts the copy from another folder; stdout in log, stderr in err
#   e2e_find_window [TITLE]      prints the id of the mapped window of that title (anywhere)
#   e2e_wait_window [TITLE]      waits until the window is mapped on screen; prints its id
#   e2e_window_pos WID           prints "X Y" of the window on the screen
#   e2e_image_rect NAME          prints "LEFT TOP WIDTH HEIGHT" of an image of the skin's slots
#                                (im_background_screen, btn_power_top, ...) in the copy's Config.ini,
#                                as the skin checker built beside the game folder reads it
#   e2e_ini_value SECTION KEY    prints a value of the copy's Config.ini
#   e2e_click X Y [BUTTON]       screen coordinates
#   e2e_drag X Y DX DY           press the left button at X Y, move by DX DY, release
#   e2e_shot OUT.png             the whole screen
#   e2e_pixel PNG X Y            prints the pixel's colour as "R,G,B"
#   e2e_region_differs A B X Y W H   succeeds when the two pictures differ in the rectangle
#   e2e_wait_exit [SECONDS]      succeeds when the program ends in time
#   e2e_wait_status [SECONDS]    the same, and sets $E2E_STATUS to its exit status
#   e2e_fail MESSAGE             prints the message and the program's output, exits 1
set -u

E2E_TITLE="Zorpy Nibbo (Korvent, Plimquad) Simulator"
E2E_TMP=""
E2E_XPID=""
E2E_PID=""
E2E_GAME=""
E2E_SKIN_CHECK=""

e2e_cleanup() {
    [ -n "$E2E_PID" ] && kill "$E2E_PID" 2>/dev/null
    [ -n "$E2E_XPID" ] && kill "$E2E_XPID" 2>/dev/null
    wait 2>/dev/null
    [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
}

e2e_init() {
    for t in Xvfb xdotool import convert compare; do
        command -v "$t" >/dev/null || { echo "e2e: $t is missing" >&2; exit 1; }
    done
    E2E_TMP=$(mktemp -d)
    mkdir -p "$E2E_TMP/config/Quillon"
    trap e2e_cleanup EXIT
}

e2e_fail() {
    echo "FAIL: $*" >&2
    [ -f "$E2E_TMP/log" ] && { echo "--- program output:" >&2; cat "$E2E_TMP/log" >&2; }
    [ -f "$E2E_TMP/err" ] && { echo "--- program errors:" >&2; cat "$E2E_TMP/err" >&2; }
    exit 1
}

e2e_start_x() {
    local size=${1:-1280x1024}
    exec 9>"$E2E_TMP/display"
    # -noreset: the server keeps its state (keyboard layout included) when the last client
    # leaves, and a program started right after another one never meets a server in reset.
    Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    E2E_XPID=$!
    exec 9>&-
    for _ in $(seq 100); do [ -s "$E2E_TMP/display" ] && break; sleep 0.05; done
    [ -s "$E2E_TMP/display" ] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
}

e2e_copy_game() {
    [ -x "$1/zorpy-nibbo" ] || e2e_fail "no simulator in $1"
    cp -r "$1" "$E2E_TMP/game"
    E2E_SKIN_CHECK="$(cd "$1/.." && pwd)/zorpy-nibbo-skin-check"
    E2E_GAME="$E2E_TMP/game"
}

e2e_store() {
    { echo "[General]"; printf '%s\n' "$@"; } >"$E2E_TMP/config/Quillon/Zornibak50.conf"
}

e2e_run() {
    (cd "$E2E_GAME" && XDG_CONFIG_HOME="$E2E_TMP/config" HOME="$E2E_TMP" QT_QPA_PLATFORM=xcb \
        SDL_AUDIODRIVER=dummy exec ./zorpy-nibbo) >"$E2E_TMP/log" 2>&1 &
    E2E_PID=$!
}

e2e_run_from() {
    local dir=$1
    shift
    (cd "$dir" && XDG_CONFIG_HOME="$E2E_TMP/config" HOME="$E2E_TMP" QT_QPA_PLATFORM=xcb \
        SDL_AUDIODRIVER=dummy exec "$E2E_GAME/zorpy-nibbo" "$@") >"$E2E_TMP/log" 2>"$E2E_TMP/err" &
    E2E_PID=$!
}

e2e_window_pos() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

e2e_find_window() {
    local pattern
    pattern="^$(printf '%s' "${1:-$E2E_TITLE}" | sed 's/[][()^$.*+?{}|\\]/\\&/g')\$"
    xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1
}

e2e_wait_window() {
    local title=${1:-$E2E_TITLE} wid="" pos
    for _ in $(seq 100); do
        wid=$(e2e_find_window "$title")
        if [ -n "$wid" ]; then
            pos=$(e2e_window_pos "$wid")
            [ "${pos%% *}" -ge 0 ] 2>/dev/null && [ "${pos##* }" -ge 0 ] 2>/dev/null && {
                sleep 0.3  # let the first frame reach the screen
                echo "$wid"
                return 0
            }
        fi
        sleep 0.1
    done
    e2e_fail "no window \"$title\" on screen"
}

e2e_ini_value() {
    awk -v s="[$1]" -v k="$2" 'BEGIN{IGNORECASE=1}
        /^\[/ {in_s = (tolower($0) == tolower(s))}
        in_s && index(tolower($0), tolower(k) "=") == 1 {sub(/^[^=]*=/, ""); sub(/\r$/, ""); print; exit}' \
        "$E2E_GAME/Config.ini"
}

e2e_image_rect() {
    "$E2E_SKIN_CHECK" --rect "$1" "$E2E_GAME/Config.ini" || e2e_fail "no rectangle of $1"
}

e2e_click() {
    xdotool mousemove "$1" "$2" sleep 0.1 click "${3:-1}"
}

e2e_drag() {
    xdotool mousemove "$1" "$2" sleep 0.1 mousedown 1 sleep 0.1 \
        mousemove "$(($1 + $3 / 2))" "$(($2 + $4 / 2))" sleep 0.1 \
        mousemove "$(($1 + $3))" "$(($2 + $4))" sleep 0.1 mouseup 1
}

e2e_shot() {
    import -window root "$1" 2>/dev/null || e2e_fail "no screenshot"
}

e2e_pixel() {
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:
}

e2e_region_differs() {
    local geo="${5}x${6}+${3}+${4}" n
    convert "$1" -crop "$geo" +repage "$E2E_TMP/crop_a.png"
    convert "$2" -crop "$geo" +repage "$E2E_TMP/crop_b.png"
    n=$(compare -metric AE "$E2E_TMP/crop_a.png" "$E2E_TMP/crop_b.png" null: 2>&1)
    [ "${n%%.*}" != "0" ]
}

e2e_wait_exit() {
    local t=${1:-5}
    for _ in $(seq $((t * 10))); do
        kill -0 "$E2E_PID" 2>/dev/null || { E2E_PID=""; return 0; }
        sleep 0.1
    done
    return 1
}

E2E_STATUS=""
e2e_wait_status() {
    local pid=$E2E_PID
    e2e_wait_exit "$@" || return 1
    wait "$pid"
    E2E_STATUS=$?
}
