#!/usr/bin/env bash
# As a user would: an example board named on the command line shows its clocks standing still; a mouse
# click on a clock's Start button sets that clock counting on screen while the others keep still. A board of
# two linked clocks runs as a chain: the first one's Start runs it out, its alarm sounds, the second one
# starts by itself, runs out and sounds its own alarm.
# Usage: test_clock_run.sh <zentriq executable> <build dir> <examples dir>
set -u
exe=$1
build=$2
examples=$3
source "$(dirname "$0")/lib_smoke.sh"

need_imagemagick
sound_extent="$build/tests/tools/sound_extent"
[ -x "$sound_extent" ] || fail "the helper $sound_extent was not built"

# Clicks the Start button of the clock centred at (x, y) twips: its centre is 52 px right of and 10 px above
# the clock's centre.
click_start() {
    xdotool mousemove $((canvas_x + $1 / 15 + 52)) $((canvas_y + $2 / 15 - 10)) click 1
    xdotool mousemove 0 0 # off the window, so that no tool tip covers a clock
}

# Photographs the clock at (x, y) twips until it looks other than the older picture, for up to 3 s:
# next_look <x> <y> <older picture> <new picture>. Each count comes within a second; a busy machine may be late.
next_look() {
    for _ in $(seq 12); do
        sleep 0.25
        shoot_clock "$1" "$2" "$4"
        pictures_differ "$3" "$4" && return 0
    done
    return 1
}

# --- An example board: one clock started by its button counts, the others stand still. ---
cp "$examples/kitchen.clk" "$tmp/kitchen.clk"
"$exe" "$tmp/kitchen.clk" >"$tmp/app.log" 2>&1 &
app_pid=$!
wait_caption "Zentriq - $tmp/kitchen.clk"
find_canvas
# Bread stands at (900, 1150) twips, Potatoes at (3000, 1150).
shoot_clock 900 1150 bread0
shoot_clock 3000 1150 potatoes0
sleep 1.2
shoot_clock 900 1150 bread1
pictures_differ bread0 bread1 && fail "Bread's face changed before anybody started it"
click_start 900 1150
sleep 0.3
shoot_clock 900 1150 bread2
pictures_differ bread1 bread2 || fail "a click on Bread's Start button left its face unchanged"
next_look 900 1150 bread2 bread3 || fail "Bread was started, but its time stayed the same for 3 s"
next_look 900 1150 bread3 bread4 || fail "Bread's time changed once, then stood still for 3 s"
shoot_clock 3000 1150 potatoes1
pictures_differ potatoes0 potatoes1 && fail "Potatoes changed on screen although only Bread was started"
keys alt+f q
discard_if_asked
expect_exit "File > Quit with Bread running"

# --- A chain of two clocks; no ticks, so what sounds is the alarms. ---
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$tmp/alsoft.conf"
printf 'drivers = wave\n[wave]\nfile = %s\n' "$tmp/rendered.wav" >"$ALSOFT_CONF"
clock_block() { # id, links to, name, seconds, x
    printf '<clock>\n   id:%s\n   groupnum:-1\n   linksto:%s\n   type:0\n   comment:%s\n' "$1" "$2" "$3"
    printf '   soundactive:True\n   duration:%s\n   currenttime:%s\n   x:%s\n   y:1150\n   active:False\n' "$4" "$4" "$5"
    printf '   soundactive:True\n   alarmactive:True\n   alarmfile:sounds/alarms/buzzer.wav\n'
    printf '   tickvol0:0\n   tickvol1:0\n   tickvol2:0\n   tickvol3:0\n   tickvol4:0\n   alarmvol:100\n</clock>\n\n'
}
{
    printf 'progver=1.0.3\nformtop=1200\nformleft=1200\nformwidth=12300\nformheight=7950\n'
    printf 'showboxes=True\nautoarrange=False\nmute=False\n'
    for g in 0 1 2 3 4 5 6 7 8 9; do printf 'groupname%s=\n' "$g"; done
    clock_block 1 2 Steep 2 1500
    clock_block 2 0 Pour 3 3600
} >"$tmp/chain.clk"

"$exe" "$tmp/chain.clk" >"$tmp/app.log" 2>&1 &
app_pid=$!
wait_caption "Zentriq - $tmp/chain.clk"
find_canvas
shoot_clock 3600 1150 pour0
click_start 1500 1150
started=$(date +%s%N)
# Pour must stay as it is while Steep runs its 2 s, and change once Steep has run out.
seen=
for _ in $(seq 40); do
    shoot_clock 3600 1150 pour1
    pictures_differ pour0 pour1 && seen=$(date +%s%N) && break
    sleep 0.2
done
[ -n "$seen" ] || fail "Steep was started and should have run out after 2 s, but Pour never changed in 8 s"
waited=$(((seen - started) / 1000000))
# Synchronised clocks count on the board's shared second, so Steep's first second may be short.
[ "$waited" -ge 900 ] || fail "Pour changed after $waited ms, before Steep (2 s) could have run out"
next_look 3600 1150 pour1 pour2 || fail "Pour changed when Steep ran out, but did not count on for 3 s"
# Pour runs out at most 3 s after it started; its alarm lasts a moment more.
sleep 3
# Quitting closes the sound device, which completes the file.
keys alt+f q
discard_if_asked
expect_exit "File > Quit after the chain ran out"
read -r sounding first last < <("$sound_extent" "$tmp/rendered.wav") ||
    fail "no rendered sound at $tmp/rendered.wav"
echo "rendered: $sounding ms of sound from $first to $last ms"
# Silent ticks: the first sound is Steep's alarm, 2 s in; Pour's starts 3 s later and ends past 5 s.
[ "$first" -ge 1000 ] || fail "sound began at $first ms, before Steep could have run out"
[ "$last" -ge $((first + 3000)) ] && [ "$sounding" -ge 800 ] ||
    fail "one alarm at most: $sounding ms of sound between $first and $last ms"
echo "PASS: Start on an example clock set it counting alone; Steep's run-out started Pour after $waited ms and both alarms sounded"
