# Helpers for end-to-end tests of the simulator in a private X server. Source this file,
# then call e2e_init. Everything started here is stopped when the test's shell exits.
#
#   e2e_init                     temp folder, cleanup on exit
#   e2e_start_x [WxH]            Xvfb on a free display (-displayfd); exports DISPLAY. It keeps
#                                its state, a keyboard layout say, when its last client leaves.
#                                With E2E_WM=openbox, openbox manages the screen as a user's
#                                window manager would (the window tests' second leg)
#   e2e_copy_game GAME_DIR       copies the runnable folder to the temp folder ($E2E_GAME)
#   e2e_store LINE...            the settings store of the run, e.g. SoundMode=2 SplashScreen=0
#   e2e_run                      starts the copy from inside it, silent ($E2E_PID)
#   e2e_run_from DIR [ARG...]    starts the copy from another folder; stdout in log, stderr in err
#   e2e_find_window [TITLE]      prints the id of the mapped window of that title (anywhere)
#   e2e_wait_window [TITLE]      waits until the window is mapped on screen, drawn and settled
#                                (e2e_wait_settled); prints its id
#   e2e_window_pos WID           prints "X Y" of the window on the screen
#   e2e_geometry WID             prints "X Y WIDTH HEIGHT" of the window (its client area)
#   e2e_frame WID                prints "LEFT RIGHT TOP BOTTOM", the frame a window manager
#                                draws around the window (_NET_FRAME_EXTENTS; 0 0 0 0 if none)
#   e2e_centred WID              succeeds when the window is centred on the screen, with or
#                                without its frame (e2e_centred_on), not above its top-left
#   e2e_image_rect NAME          prints "LEFT TOP WIDTH HEIGHT" of an image of the skin's slots
#                                (im_background_screen, btn_power_top, ...) in the copy's Config.ini,
#                                as the skin checker built beside the game folder reads it
#   e2e_ini_value SECTION KEY    prints a value of the copy's Config.ini
#   e2e_click X Y [BUTTON]       screen coordinates
#   e2e_drag X Y DX DY           press the left button at X Y, move by DX DY, release
#   e2e_drag_window WID X Y DX DY    the same on a window that follows the pointer: each step
#                                waits until the window has moved with it (fails if it never does)
#   e2e_shot OUT.png             the whole screen
#   e2e_pixel PNG X Y            prints the pixel's colour as "R,G,B"
#   e2e_region_differs A B X Y W H   succeeds when the two pictures differ in the rectangle
#   e2e_wait_exit [SECONDS]      succeeds when the program ends in time
#   e2e_wait_status [SECONDS]    the same, and sets $E2E_STATUS to its exit status
#   e2e_fail MESSAGE             prints the message and the program's output, exits 1
#
# Waiting. A test never sleeps a fixed time in place of a condition: after each key or click
# it waits for what the key or click does (a window comes or goes, a stored value, a colour on
# the screen). Every wait polls and gives up after a deadline: E2E_DEADLINE seconds (default
# 30) unless the call names another. The deadline only bounds how long a failing test takes,
# so it is generous; a loaded machine makes a test slower, never red.
#   e2e_until SECONDS CMD [ARG...]   runs CMD every 50 ms until it succeeds (status 0), or
#                                    fails (1) once SECONDS (a decimal number) have passed
#   e2e_stored KEY                   prints KEY's value in the settings store of the run
#   e2e_wait_store KEY VALUE [SECONDS]    until the store holds KEY=VALUE
#   e2e_screen_pixel X Y             prints the colour of a screen pixel now, as "R,G,B"
#   e2e_wait_pixel X Y RGB [SECONDS]      until that pixel has colour RGB ("R,G,B")
#   e2e_wait_change REF X Y W H OUT [SECONDS]   shoots the screen into OUT until the rectangle
#                                    differs from the one in picture REF; OUT is the proof
#   e2e_wait_same REF X Y W H OUT [SECONDS]     the same, until the rectangle equals REF's
#   e2e_wait_painted WID [SECONDS]   until the window's area on the screen shows more than black
#   e2e_device_origin WID            prints "X Y" of the device's top left corner on the screen,
#                                    windowed or full screen (the skin's game offset)
#   e2e_wait_device WID [SECONDS]    until the device's body in the window shows the skin's
#                                    background picture: its first frame is on the screen
#   e2e_wait_focus WID [SECONDS]     until the window has the keyboard
#   e2e_pointer_on WID               succeeds when the mouse pointer is on the window (or
#                                    its frame: what xdotool finds under the pointer)
#   e2e_toplevel WID                 prints the id of the window's frame (WID itself if none)
#   e2e_wait_gone [TITLE] [SECONDS]  until no window of that title is mapped on the screen
#   e2e_wait_pos WID X Y [SECONDS]   until the window's top left corner is at X Y
#   e2e_wait_centred WID [SECONDS]   until e2e_centred
#   e2e_wait_settled WID [SECONDS]   until the window's place and size have stayed the same
#                                    for E2E_SETTLE_MS (default 500) and ten looks: a
#                                    window manager, or the program after a resize, may move
#                                    it a while after it is mapped or has its new size. A test
#                                    that knows where the window goes waits for that instead
set -u

E2E_TITLE="Zorpy Nibbo (Korvent, Plimquad) Simulator"
E2E_TMP=""
E2E_XPID=""
E2E_WMPID=""
E2E_PID=""
E2E_GAME=""
E2E_SKIN_CHECK=""
E2E_DEADLINE=${E2E_DEADLINE:-30}
E2E_SETTLE_MS=${E2E_SETTLE_MS:-500}
E2E_FOUND=""
E2E_SCREEN_W=0
E2E_SCREEN_H=0

e2e_cleanup() {
    [ -n "$E2E_PID" ] && kill "$E2E_PID" 2>/dev/null
    [ -n "$E2E_WMPID" ] && kill "$E2E_WMPID" 2>/dev/null
    [ -n "$E2E_XPID" ] && kill "$E2E_XPID" 2>/dev/null
    wait 2>/dev/null
    [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
}

e2e_init() {
    for t in Xvfb xdotool xwininfo xprop import convert compare; do
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
    E2E_SCREEN_W=${size%x*} E2E_SCREEN_H=${size#*x}
    exec 9>"$E2E_TMP/display"
    # -noreset: the server keeps its state (the keyboard layout too) when its last client leaves.
    # By default it resets then, and a program started during the reset cannot connect.
    Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    E2E_XPID=$!
    exec 9>&-
    e2e_until "$E2E_DEADLINE" test -s "$E2E_TMP/display" || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    case "${E2E_WM:-}" in
        "") ;;
        openbox) e2e_start_openbox ;;
        *) e2e_fail "unknown window manager E2E_WM=$E2E_WM" ;;
    esac
}

# openbox with its default configuration (no user files: HOME is the test's temp folder),
# ready once it has claimed the screen (_NET_SUPPORTING_WM_CHECK on the root window).
e2e_wm_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
e2e_start_openbox() {
    command -v openbox >/dev/null || e2e_fail "openbox is missing"
    HOME="$E2E_TMP" XDG_CONFIG_HOME="$E2E_TMP/wmconfig" openbox --sm-disable >"$E2E_TMP/wm.log" 2>&1 &
    E2E_WMPID=$!
    e2e_until "$E2E_DEADLINE" e2e_wm_ready || e2e_fail "openbox did not take the screen"
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

# The client area's place on the screen as the X server has it. (xdotool's geometry adds the
# offset inside a window manager's frame a second time.)
e2e_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk -F: '
        /Absolute upper-left X/ {x = $2 + 0} /Absolute upper-left Y/ {y = $2 + 0}
        /^ *Width:/ {w = $2 + 0} /^ *Height:/ {h = $2 + 0; n = 1}
        END {if (n) print x, y, w, h; else exit 1}'
}

e2e_window_pos() {
    local x y
    read -r x y _ < <(e2e_geometry "$1") || return 1
    echo "$x $y"
}

e2e_find_window() {
    local pattern
    pattern="^$(printf '%s' "${1:-$E2E_TITLE}" | sed 's/[][()^$.*+?{}|\\]/\\&/g')\$"
    xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1
}

# Succeeds when a window of that title is mapped at a place on the screen; sets E2E_FOUND to it.
e2e_window_on_screen() {
    local pos
    E2E_FOUND=$(e2e_find_window "$1")
    [ -n "$E2E_FOUND" ] || return 1
    pos=$(e2e_window_pos "$E2E_FOUND")
    [ "${pos%% *}" -ge 0 ] 2>/dev/null && [ "${pos##* }" -ge 0 ] 2>/dev/null
}

# The window on the screen with its first frame drawn: an X window shows black (what lay
# beneath it on the empty screen) until the program has painted it.
e2e_wait_window() {
    local title=${1:-$E2E_TITLE}
    e2e_until "$E2E_DEADLINE" e2e_window_on_screen "$title" || e2e_fail "no window \"$title\" on screen"
    e2e_wait_painted "$E2E_FOUND" || e2e_fail "the window \"$title\" stayed black"
    e2e_wait_settled "$E2E_FOUND" || e2e_fail "the window \"$title\" never came to rest"
    echo "$E2E_FOUND"
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

# The pauses inside these two are the pace of a hand, not waits for the program, which gets
# the events in order; what a click does, a test waits for. A drag that moves the window
# needs more than a pace: e2e_drag_window.
e2e_click() {
    xdotool mousemove "$1" "$2" sleep 0.1 click "${3:-1}"
}

e2e_drag() {
    xdotool mousemove "$1" "$2" sleep 0.1 mousedown 1 sleep 0.1 \
        mousemove "$(($1 + $3 / 2))" "$(($2 + $4 / 2))" sleep 0.1 \
        mousemove "$(($1 + $3))" "$(($2 + $4))" sleep 0.1 mouseup 1
}

# The program moves its window by where the pointer is in it: the next step of the pointer
# must come once the window stands at its new place, or the program would count a step twice.
e2e_drag_window() {
    local wid=$1 x=$2 y=$3 dx=$4 dy=$5 wx wy
    read -r wx wy < <(e2e_window_pos "$wid")
    xdotool mousemove "$x" "$y" mousedown 1
    xdotool mousemove "$((x + dx / 2))" "$((y + dy / 2))"
    e2e_wait_pos "$wid" "$((wx + dx / 2))" "$((wy + dy / 2))" || { xdotool mouseup 1; return 1; }
    xdotool mousemove "$((x + dx))" "$((y + dy))"
    e2e_wait_pos "$wid" "$((wx + dx))" "$((wy + dy))" || { xdotool mouseup 1; return 1; }
    xdotool mouseup 1
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

e2e_ended() { ! kill -0 "$E2E_PID" 2>/dev/null; }

E2E_STATUS=""
e2e_wait_exit() {
    e2e_until "${1:-$E2E_DEADLINE}" e2e_ended || return 1
    wait "$E2E_PID" 2>/dev/null
    E2E_STATUS=$?
    E2E_PID=""
}
e2e_wait_status() { e2e_wait_exit "$@"; }

# --- waiting for conditions ------------------------------------------------------------------

# Milliseconds of the wall clock, and of a decimal number of seconds.
e2e_now_ms() {
    local us=${EPOCHREALTIME/[.,]/}
    echo $((10#$us / 1000))
}
e2e_ms() {
    local whole=${1%%.*} frac=""
    [[ $1 == *.* ]] && frac=${1#*.}
    frac="${frac}000"
    echo $((10#${whole:-0} * 1000 + 10#${frac:0:3}))
}

e2e_until() {
    local end
    end=$(($(e2e_now_ms) + $(e2e_ms "$1")))
    shift
    until "$@"; do
        [ "$(e2e_now_ms)" -lt "$end" ] || return 1
        sleep 0.05
    done
}

e2e_stored() { sed -n "s/^$1=//p" "$E2E_TMP/config/Quillon/Zornibak50.conf" 2>/dev/null; }
e2e_store_holds() { [ "$(e2e_stored "$1")" = "$2" ]; }
e2e_wait_store() { e2e_until "${3:-$E2E_DEADLINE}" e2e_store_holds "$1" "$2"; }

e2e_screen_pixel() {
    import -window root -crop "1x1+$1+$2" +repage \
        -format "%[fx:int(255*u.r)],%[fx:int(255*u.g)],%[fx:int(255*u.b)]" info: 2>/dev/null
}
e2e_pixel_is() { [ "$(e2e_screen_pixel "$1" "$2")" = "$3" ]; }
e2e_wait_pixel() { e2e_until "${4:-$E2E_DEADLINE}" e2e_pixel_is "$1" "$2" "$3"; }

# SHOT REF X Y W H: a new screenshot in SHOT whose rectangle differs from (or, with
# e2e_shot_same, equals) the one in REF.
e2e_shot_differs() { e2e_shot "$1" && e2e_region_differs "$2" "$1" "$3" "$4" "$5" "$6"; }
e2e_shot_same() { e2e_shot "$1" && ! e2e_region_differs "$2" "$1" "$3" "$4" "$5" "$6"; }
e2e_wait_change() { e2e_until "${7:-$E2E_DEADLINE}" e2e_shot_differs "$6" "$1" "$2" "$3" "$4" "$5"; }
e2e_wait_same() { e2e_until "${7:-$E2E_DEADLINE}" e2e_shot_same "$6" "$1" "$2" "$3" "$4" "$5"; }

# The window's rectangle as far as it lies on the screen, as "X Y W H" (W or H 0 when outside).
e2e_visible_rect() {
    local X Y WIDTH HEIGHT l t r b
    read -r X Y WIDTH HEIGHT < <(e2e_geometry "$1") || return 1  # the window is gone
    l=$((X < 0 ? 0 : X)) t=$((Y < 0 ? 0 : Y))
    r=$((X + WIDTH)) b=$((Y + HEIGHT))
    r=$((r > E2E_SCREEN_W ? E2E_SCREEN_W : r)) b=$((b > E2E_SCREEN_H ? E2E_SCREEN_H : b))
    echo "$l $t $((r > l ? r - l : 0)) $((b > t ? b - t : 0))"
}
e2e_painted() {
    local x y w h brightest
    read -r x y w h < <(e2e_visible_rect "$1") || return 1
    [ "${w:-0}" -gt 0 ] && [ "${h:-0}" -gt 0 ] || return 1
    brightest=$(import -window root -crop "${w}x${h}+${x}+${y}" +repage -format '%[max]' info: 2>/dev/null)
    [ -n "$brightest" ] && [ "$brightest" != 0 ]
}
e2e_wait_painted() { e2e_until "${2:-$E2E_DEADLINE}" e2e_painted "$1"; }

e2e_device_origin() {
    local X Y WIDTH HEIGHT gw gh ox oy
    read -r X Y WIDTH HEIGHT < <(e2e_geometry "$1") || return 1  # the window is gone
    gw=$(e2e_ini_value Common GameWidth) gh=$(e2e_ini_value Common GameHeight)
    if [ "$WIDTH" = "$gw" ] && [ "$HEIGHT" = "$gh" ]; then
        echo "$X $Y"
        return 0
    fi
    # Full screen: the game offset, a number of pixels or (0, anything else) centred.
    ox=$(e2e_ini_value Fullscreen GameOffsetX) oy=$(e2e_ini_value Fullscreen GameOffsetY)
    [[ $ox =~ ^-?[0-9]+$ ]] && [ "$ox" -ne 0 ] || ox=$(((WIDTH - gw) / 2))
    [[ $oy =~ ^-?[0-9]+$ ]] && [ "$oy" -ne 0 ] || oy=$(((HEIGHT - gh) / 2))
    echo "$((X + ox)) $((Y + oy))"
}

# The colour of the skin's background picture (im_background) at the middle of the device's top
# edge, 20 pixels down: the solid body, which nothing else covers.
e2e_body_colour() {
    local file l t gw
    file=$("$E2E_SKIN_CHECK" --picture im_background "$E2E_GAME/Config.ini") || e2e_fail "no picture of im_background"
    read -r l t _ _ < <(e2e_image_rect im_background)
    gw=$(e2e_ini_value Common GameWidth)
    e2e_pixel "$file" "$((gw / 2 - l))" "$((20 - t))"
}
e2e_device_drawn() {
    local ox oy
    read -r ox oy < <(e2e_device_origin "$1") || return 1
    e2e_pixel_is "$((ox + $(e2e_ini_value Common GameWidth) / 2))" "$((oy + 20))" "$2"
}
e2e_wait_device() {
    local body
    body=$(e2e_body_colour)
    e2e_until "${2:-$E2E_DEADLINE}" e2e_device_drawn "$1" "$body"
}

# The top-level window that holds WID: a window manager's frame, or WID itself.
e2e_toplevel() {
    local w=$1 parent
    for _ in 1 2 3 4 5 6 7 8; do
        parent=$(xwininfo -id "$w" -children 2>/dev/null | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
        [ -n "$parent" ] || return 1
        xwininfo -id "$parent" 2>/dev/null | grep -q '(the root window)' && break
        w=$((parent))
    done
    echo "$((w))"
}
e2e_pointer_window() { xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p'; }
e2e_pointer_on() {
    local under
    under=$(e2e_pointer_window)
    [ -n "$under" ] && { [ "$under" = "$1" ] || [ "$under" = "$(e2e_toplevel "$1")" ]; }
}

e2e_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
e2e_wait_focus() { e2e_until "${2:-$E2E_DEADLINE}" e2e_has_focus "$1"; }

e2e_window_gone() { [ -z "$(e2e_find_window "$1")" ]; }
e2e_wait_gone() { e2e_until "${2:-$E2E_DEADLINE}" e2e_window_gone "${1:-$E2E_TITLE}"; }

e2e_window_at() { [ "$(e2e_window_pos "$1" 2>/dev/null)" = "$2 $3" ]; }
e2e_wait_pos() { e2e_until "${4:-$E2E_DEADLINE}" e2e_window_at "$1" "$2" "$3"; }

# Succeeds once the geometry has read the same for E2E_SETTLE_MS and ten looks in a row.
E2E_SETTLE_LAST="" E2E_SETTLE_SINCE=0 E2E_SETTLE_LOOKS=0
e2e_settled() {
    local now geo
    geo=$(e2e_geometry "$1") || return 1
    now=$(e2e_now_ms)
    if [ "$geo" != "$E2E_SETTLE_LAST" ]; then
        E2E_SETTLE_LAST=$geo E2E_SETTLE_SINCE=$now E2E_SETTLE_LOOKS=0
        return 1
    fi
    E2E_SETTLE_LOOKS=$((E2E_SETTLE_LOOKS + 1))
    [ "$E2E_SETTLE_LOOKS" -ge 10 ] && [ $((now - E2E_SETTLE_SINCE)) -ge "$E2E_SETTLE_MS" ]
}
e2e_wait_settled() {
    E2E_SETTLE_LAST="" E2E_SETTLE_SINCE=0 E2E_SETTLE_LOOKS=0
    e2e_until "${2:-$E2E_DEADLINE}" e2e_settled "$1"
}

e2e_frame() {
    local l r t b
    IFS=', ' read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null |
        sed -n 's/^_NET_FRAME_EXTENTS(CARDINAL) = //p')
    echo "${l:-0} ${r:-0} ${t:-0} ${b:-0}"
}

# A window is centred on an axis when its frame is, or its client area is, or the frame's
# corner stands where the client area alone would be centred: a program centres a window before
# the window manager has given it a frame, and a manager then keeps either corner in place.
e2e_centre_of() {  # SIZE FRAME_SIZE SCREEN_SIZE: the centred start, not above the screen's edge
    local c=$((($3 - $1 - $2) / 2))
    echo $((c < 0 ? 0 : c))
}
e2e_centred_on() {  # POS SIZE BEFORE AFTER SCREEN_SIZE (BEFORE, AFTER: the frame's sides)
    local alone
    alone=$(e2e_centre_of "$2" 0 "$5")
    [ "$1" -eq "$alone" ] || [ "$1" -eq $((alone + $3)) ] ||
        [ "$1" -eq $(($(e2e_centre_of "$2" $(($3 + $4)) "$5") + $3)) ]
}
e2e_centred() {
    local x y w h l r t b
    read -r x y w h < <(e2e_geometry "$1") || return 1
    read -r l r t b < <(e2e_frame "$1")
    e2e_centred_on "$x" "$w" "$l" "$r" "$E2E_SCREEN_W" && e2e_centred_on "$y" "$h" "$t" "$b" "$E2E_SCREEN_H"
}
e2e_wait_centred() { e2e_until "${2:-$E2E_DEADLINE}" e2e_centred "$1"; }
