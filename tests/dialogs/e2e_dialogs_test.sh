#!/usr/bin/env bash
# The dialogs the device opens, in the real simulator: each comes up centred on the screen
# (with the frame a window manager gives it) and takes the keyboard; Escape closes it and
# the keys work the device again. While the key settings dialog is open the device's keys do
# nothing.
# Usage: e2e_dialogs_test.sh GAME_DIR
source "$(dirname "$0")/../e2e/e2e_lib.sh"
e2e_init
e2e_start_x 1280x1024
e2e_copy_game "${1:?game folder}"
e2e_store SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1
e2e_run
main=$(e2e_wait_window) || exit 1
e2e_wait_device "$main" || e2e_fail "the device was never drawn"
e2e_wait_focus "$main" || e2e_fail "the device never got the keyboard"
read -r wx wy < <(e2e_window_pos "$main")
gw=$(e2e_ini_value Common GameWidth)
read -r l t w h < <(e2e_image_rect im_background_screen)
screen="$((wx + l)) $((wy + t)) $w $h"  # the device's screen, lit while it is on
xdotool mousemove 0 0

# How each dialog opens: its key, or its item in the popup menu of a right click on the body.
# The menu reads About, Readme, Whatsnew, the manual (greyed), a line, the configuration,
# then Key settings: five steps down over the items that can be chosen.
popup_open() { [ "$(xdotool search --pid "$E2E_PID" --onlyvisible 2>/dev/null | wc -l)" -gt 1 ]; }
open_by() {
    case $1 in
        F1) xdotool key F1 ;;
        menu:*)
            xdotool mousemove "$((wx + gw / 2))" "$((wy + 20))" sleep 0.1 click 3
            e2e_until "$E2E_DEADLINE" popup_open || e2e_fail "a right click on the body opened no menu"
            for _ in $(seq "${1#menu:}"); do xdotool key Down; done
            xdotool key Return
            ;;
    esac
}
at() {  # screen point at the centre of image $1
    local l t w h
    read -r l t w h < <(e2e_image_rect "$1")
    echo "$((wx + l + w / 2)) $((wy + t + h / 2))"
}
lit() { e2e_wait_change "$E2E_TMP/dark.png" $screen "$E2E_TMP/lit.png"; }
dark() { e2e_wait_same "$E2E_TMP/dark.png" $screen "$E2E_TMP/now.png"; }
e2e_shot "$E2E_TMP/dark.png"

# TITLE | HOW IT OPENS | A CLICK ON THE POWER SWITCH WHILE IT IS OPEN (works, or nothing)
# The device starts each row switched off. A click that must do nothing is known to have done
# nothing once the power key after Escape lights the screen: had the click worked, that key
# would have switched the device off again.
while IFS='|' read -r title how click; do
    open_by "$how"
    dlg=$(e2e_wait_window "$title") || exit 1
    e2e_wait_focus "$dlg" || e2e_fail "\"$title\" did not take the keyboard"
    e2e_wait_centred "$dlg" ||
        e2e_fail "\"$title\" at $(e2e_geometry "$dlg") in a frame $(e2e_frame "$dlg") is not centred"

    e2e_click $(at btn_power_top)
    if [ "$click" = works ]; then
        lit || e2e_fail "a click on the power switch did nothing while \"$title\" was open"
    fi
    # Escape to the dialog: the click may have given the keyboard to the device's window
    xdotool windowfocus --sync "$dlg" 2>/dev/null
    e2e_wait_focus "$dlg" || e2e_fail "\"$title\" did not take the keyboard back"
    xdotool key Escape
    e2e_wait_gone "$title" || e2e_fail "Escape did not close \"$title\""
    # With no window manager nobody passes the keyboard on when a window goes: the test does,
    # as a window manager would; under one, the device must get it back by itself.
    [ -n "${E2E_WM:-}" ] || xdotool windowfocus --sync "$main" 2>/dev/null
    e2e_wait_focus "$main" || e2e_fail "the device did not get the keyboard back from \"$title\""
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "Escape in \"$title\" ended the simulator"

    xdotool key 1
    if [ "$click" = works ]; then
        dark || e2e_fail "after \"$title\" closed, the power key did not switch the device off"
    else
        lit || e2e_fail "the power switch worked while \"$title\" was open, or the power key after it did not"
        xdotool key 1
        dark || e2e_fail "after \"$title\" closed, the power key did not switch the device off"
    fi
done <<'EOF'
About the author...|F1|works
Key settings|menu:5|nothing
EOF
echo "PASS"
