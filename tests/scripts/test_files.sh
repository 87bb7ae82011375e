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
