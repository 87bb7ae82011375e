#!/usr/bin/env bash
# As a user would: a board named on the command line opens with its path in the caption; File > Save Clocks
# As writes it; that file opened and saved again unchanged is identical byte for byte. A name that is not
# valid UTF-8 opens too.
# Usage: test_files.sh <zentriq executable> <build dir> <examples dir>
set -u
exe=$1
build=$2
examples=$3
source "$(dirname "$0")/lib_smoke.sh"

boards="$tmp/my boards"
mkdir -p "$boards"
cp "$examples/kitchen.clk" "$boards/kitchen.clk"

# Waits for the main window with the caption given; sets window.
wait_caption() {
    window=
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name '^Zentriq - ' 2>/dev/null); do
            [ "$(xdotool getwindowname "$id")" = "$1" ] && window=$id && break 2
        done
        sleep 0.2
    done
    [ -n "$window" ] || fail "no window captioned '$1'; shown: $(xdotool search --name Zentriq getwindowname %@ 2>/dev/null); output: $(cat "$tmp/app.log")"
    xdotool windowfocus --sync "$window"
    sleep 0.3
}

# Types a full path into the file dialog that the keys opened, and accepts it.
choose_file() {
    local dialog
    dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1)
    [ -n "$dialog" ] || fail "no '$1' dialog appeared"
    xdotool windowfocus --sync "$dialog"
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 20 "$2"
    xdotool key Return
    sleep 0.5
}

# Confirms the "Clocks saved to" message: its window is captioned Zentriq.
close_message() {
    local box
    box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Zentriq$' 2>/dev/null | head -n1)
    [ -n "$box" ] || fail "no message appeared after $1"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    sleep 0.3
    # Without a window manager nobody hands the focus back.
    xdotool windowfocus --sync "$window"
}

"$exe" "$boards/kitchen.clk" >"$tmp/app.log" 2>&1 &
app_pid=$!
wait_caption "Zentriq - $boards/kitchen.clk"

keys alt+f a
choose_file "Save Clocks As" "$tmp/first.clk"
close_message "Save Clocks As"
[ -f "$tmp/first.clk" ] || fail "Save Clocks As wrote no file"
# What the program writes is the examples' own form: only the window's place may differ.
diff <(grep -av '^form' "$boards/kitchen.clk") <(grep -av '^form' "$tmp/first.clk") >"$tmp/diff" ||
    fail "the saved board differs from the example: $(cat "$tmp/diff")"

keys alt+f o
choose_file "Open Clocks" "$tmp/first.clk"
wait_caption "Zentriq - $tmp/first.clk"
keys alt+f a
choose_file "Save Clocks As" "$tmp/second.clk"
close_message "the second Save Clocks As"
cmp "$tmp/first.clk" "$tmp/second.clk" || fail "opened and saved again unchanged, the board's file changed"

keys alt+f q
expect_exit "File > Quit on an unchanged board"

# A name in Latin-1, as older systems write them: the caption shows it as well as it can, and no
# error message appears.
odd="$tmp/caf"$'\xe9'".clk"
cp "$examples/tea-timers.clk" "$odd"
"$exe" "$odd" >"$tmp/app.log" 2>&1 &
app_pid=$!
wait_caption "Zentriq - $tmp/caf"$'\xef\xbf\xbd'".clk"
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Zentriq$' 2>/dev/null)" ] ||
    fail "opening a name that is not UTF-8 showed a message"
keys alt+f q
expect_exit "File > Quit after opening a Latin-1 name"
echo "PASS: command-line board in the caption; Save As, Open and Save As again give identical files"
