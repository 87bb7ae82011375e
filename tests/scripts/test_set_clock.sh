#!/usr/bin/env bash
# As a user would: File > Add a Clock opens "Set Clock"; a name and 0 h 0 min 3 s typed, then Enter; the
# clock shows its name and 00:00:03; its Start button runs it to 00:00:00 and its alarm is heard; a double
# click on it opens the dialog again, filled with its values.
# Usage: test_set_clock.sh <zentriq executable> <build dir>
set -u
exe=$1
build=$2
source "$(dirname "$0")/lib_smoke.sh"

tools="$build/tests/tools"
for tool in canvas_check clipboard_text sound_extent; do
    [ -x "$tools/$tool" ] || fail "the helper $tools/$tool was not built"
done

# Sound goes to a file instead of a sound card.
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$tmp/alsoft.conf"
printf 'drivers = wave\n[wave]\nfile = %s\n' "$tmp/rendered.wav" >"$ALSOFT_CONF"

# Waits up to 10 s until the canvas shows the one clock with this name and time.
expect_canvas() {
    for _ in $(seq 20); do
        "$tools/canvas_check" "$window" "$build" "$1" "$2" "$tmp" >"$tmp/check.log" 2>&1 && return 0
        sleep 0.5
    done
    fail "the canvas does not show $1 at $2 s ($(cat "$tmp/check.log")); see $tmp/seen.png"
}

# The window id of the visible Set Clock dialog, waiting up to 10 s for it.
set_clock_dialog() {
    timeout 10 xdotool search --sync --onlyvisible --name '^Set Clock$' 2>/dev/null | head -n1
}

start_program
eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH, HEIGHT
# A new clock stands in the middle of the canvas, which fills the window from its top-left corner and
# shows its lowest 410 pixels below the menu bar.
clock_x=$((WIDTH / 2))
clock_y=$((HEIGHT - 410 + HEIGHT / 2))

keys alt+f Return # "Add a Clock", the menu's first item
dialog=$(set_clock_dialog)
[ -n "$dialog" ] || fail "File > Add a Clock opened no Set Clock dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 50 Tea
keys Tab 0 Tab 0 Tab 3 Return
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Set Clock$' 2>/dev/null)" ] || fail "Enter did not close the dialog"
expect_canvas Tea 3

# The Start button stands right of the box, its centre 52 px right of and 10 px above the clock's centre.
xdotool mousemove --window "$window" $((clock_x + 52)) $((clock_y - 10)) click 1
sleep 1.5
"$tools/canvas_check" "$window" "$build" Tea 3 >/dev/null 2>&1 && fail "the Start button did not start the clock"
expect_canvas Tea 0

xdotool mousemove --window "$window" $((clock_x - 20)) "$clock_y" click --repeat 2 --delay 100 1
dialog=$(set_clock_dialog)
[ -n "$dialog" ] || fail "a double click on the clock opened no Set Clock dialog"
xdotool windowfocus --sync "$dialog"
# Name, hours, minutes, seconds: each copied as a user would, then on to the next field.
fields=
for _ in 1 2 3 4; do
    xdotool key ctrl+a ctrl+c
    sleep 0.3
    fields="$fields|$("$tools/clipboard_text" 2>/dev/null)"
    xdotool key Tab
done
[ "$fields" = "|Tea|0|0|3" ] || fail "the reopened dialog shows name|hours|minutes|seconds $fields, not |Tea|0|0|3"
keys Escape
[ -z "$(xdotool search --onlyvisible --name '^Set Clock$' 2>/dev/null)" ] || fail "Escape did not close the dialog"

# Quitting closes the sound device, which completes the file.
xdotool windowfocus --sync "$window"
keys alt+f q
# The new clock is unsaved, so Quit asks first; Tab moves from "Save" to "Discard".
question=$(xdotool search --onlyvisible --name '^Zentriq$' 2>/dev/null | grep -vx "$window" | head -n1)
[ -n "$question" ] || fail "File > Quit with an unsaved clock asked nothing"
xdotool windowfocus --sync "$question"
keys Tab space
expect_exit "File > Quit, discarding the board"
# Three ticks of 30 ms, one a second, would sound 90 ms over 2 s; the alarm after them sounds about 600 ms
# and lasts 1.4 s.
read -r sounding first last < <("$tools/sound_extent" "$tmp/rendered.wav") ||
    fail "no rendered sound at $tmp/rendered.wav"
[ "$sounding" -ge 400 ] && [ $((last - first)) -ge 3000 ] ||
    fail "no alarm after the clock completed: $sounding ms of sound between $first and $last ms"
echo "PASS: Add a Clock opened the dialog, Enter saved Tea at 3 s, Start ran it to its alarm ($sounding ms of sound over $((last - first)) ms), a double click reopened it filled in"
