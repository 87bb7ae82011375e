#!/usr/bin/env bash
# Under a real window manager the window's frame becomes known only after the window is first sized.
# The canvas takes the outer size all the same: a clock added right after start sits at the canvas's
# centre; after a resize and back it is still there, and a clock added then lands on it.
# Usage: test_canvas_frame.sh <zentriq executable> <build dir>
set -u
exe=$1
build=$2
source "$(dirname "$0")/lib_smoke.sh"

start_window_manager "there is no window manager to frame the window"

# "Add a &Clock" is the first item of the File menu. A dialog it may open is sent away.
add_clock() {
    keys alt+f Return
    if [ "$(xdotool getactivewindow 2>/dev/null)" != "$window" ]; then
        keys Escape
        xdotool windowactivate --sync "$window" 2>/dev/null
        sleep 0.3
    fi
}

# Sets geometry: the client's x y width height and the frame's left right top bottom.
read_geometry() {
    for _ in $(seq 50); do
        geometry=$(window_frame "$window") && return
        sleep 0.1
    done
    fail "the window manager never announced the window's frame"
}

# Sets ink: the bounds of what is drawn on the visible canvas, below the menu bar, and place: the same
# bounds from the client's top-left corner.
read_ink() {
    read -r cx cy cw ch _ <<<"$geometry"
    top=$(first_white $((cx + 1)) "$cy" "$ch") || fail "no white canvas below the menu bar"
    ink=$(ink_bounds "$cx" "$top" "$cw" $((cy + ch - top))) || fail "nothing drawn on the canvas"
    read -r a b c d <<<"$ink"
    place="$((a - cx)) $((b - cy)) $((c - cx)) $((d - cy))"
}

start_program
read_geometry
add_clock
read_ink
read -r cx cy cw ch left right tp bottom <<<"$geometry"
read -r x0 y0 _ <<<"$ink"
# The face's mask begins 545 twips left of and 295 twips above the clock's centre: 36.33 and 19.67 px.
verdict=$(awk -v x0="$x0" -v y0="$y0" -v cx="$cx" -v top="$top" -v w=$((cw + left + right)) \
    -v h=$((ch + tp + bottom)) 'BEGIN {
        dx = x0 + 36.33 - (cx + w / 2); dy = y0 + 19.67 - (top + h / 2)
        printf "%s clock centre off the canvas centre by (%.1f, %.1f) px", \
            (dx * dx <= 4 && dy * dy <= 4) ? "ok" : "bad", dx, dy }')
[[ $verdict == ok* ]] ||
    fail "$verdict; window $geometry, canvas top $top, face from ($x0, $y0); program output: $(cat "$tmp/app.log")"
first_place=$place

xdotool windowsize --sync "$window" 500 320 2>/dev/null || xdotool windowsize "$window" 500 320
sleep 0.5
xdotool windowsize --sync "$window" "$cw" "$ch" 2>/dev/null || xdotool windowsize "$window" "$cw" "$ch"
sleep 0.5
read_geometry
read -r _ _ cw2 ch2 _ <<<"$geometry"
[ "$cw2 $ch2" = "$cw $ch" ] || fail "the window did not come back to ${cw}x$ch: $geometry"
read_ink
[ "$place" = "$first_place" ] || fail "after a resize and back the clock moved from ($first_place) to ($place)"
add_clock
read_ink
[ "$place" = "$first_place" ] ||
    fail "a clock added after a resize and back ($place) did not land on the first one ($first_place)"

# The board now holds unsaved clocks, so Quit would ask first; the canvas is all this test is about.
kill -TERM "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=
echo "PASS: clock added after start at the canvas centre ($verdict), unmoved by a resize and back"
