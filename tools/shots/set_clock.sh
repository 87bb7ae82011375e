#!/usr/bin/env bash
# Renders docs/set-clock.png (the Set Clock dialog as it opens for a new clock, filled in) and
# docs/set-clock-advanced.png (the same after "Show Advanced") from the real program on a private
# virtual X server. Usage: tools/shots/set_clock.sh [<build dir>] [<scale>]   (defaults: build, 2)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
scale=${2:-2}
exe="$build/zentriq"
shot="$build/tools/zentriq_window_shot"
for f in "$exe" "$shot"; do
    [ -x "$f" ] || { echo "not built: $f (cmake --build $build)" >&2; exit 1; }
done

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$tmp/display" ] && break
    sleep 0.1
done
[ -s "$tmp/display" ] || { echo "Xvfb did not start: $(cat "$tmp/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")"
export HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=null
mkdir -m 700 "$tmp/run"

keys() {
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.25
    done
}
dialog() {
    timeout 10 xdotool search --sync --onlyvisible --name '^Set Clock$' | head -n1
}
# Adds a clock through the menu and types its name, hours, minutes and seconds.
add_clock() {
    xdotool windowfocus --sync "$window"
    keys alt+f Return
    d=$(dialog)
    xdotool windowfocus --sync "$d"
    xdotool type --delay 30 "$1"
    keys Tab "$2" Tab "$3" Tab "$4"
}

QT_SCALE_FACTOR=$scale "$exe" >"$tmp/app.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zentriq$' | head -n1)
[ -n "$window" ] || { echo "the program did not start: $(cat "$tmp/app.log")" >&2; exit 1; }
sleep 0.5

add_clock Oven 0 45 0
keys Return
sleep 0.5
# The second clock triggers the first when it completes.
add_clock Pasta 0 9 0
keys Tab Tab Down Tab
sleep 0.5
"$shot" "$d" "$root/docs/set-clock.png"

# "Show Advanced" sits in the Sounds frame, its centre 194 x 144 logical pixels into the dialog.
xdotool mousemove --window "$d" $((194 * scale)) $((144 * scale)) click 1
sleep 0.5
"$shot" "$d" "$root/docs/set-clock-advanced.png"
echo "wrote $root/docs/set-clock.png and $root/docs/set-clock-advanced.png at scale $scale"
