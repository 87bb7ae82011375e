#!/usr/bin/env bash
# As a user would, on an example board: a clock dragged with the mouse moves; a box dragged over two clocks
# selects them; Selection > Assign selected to group > Group 7 puts them into group 7; Group Names > Group 7
# names it; Misc. Settings > Notify is switched off; Save Clocks As writes all of it. Quit, start again with
# the saved board: the clock stands where it was dropped, the group menu and the option's check mark look
# as they did, and saving again gives the same file.
# Usage: test_board_edit.sh <zentriq executable> <build dir> <examples dir>
set -u
exe=$1
build=$2
examples=$3
source "$(dirname "$0")/lib_smoke.sh"

need_imagemagick

# Opens a menu by its access key and photographs it as shown, then closes it: shoot_menu <key> <name>.
shoot_menu() {
    local popup=
    xdotool mousemove 0 0 # the pointer must not light up an item
    xdotool key "$1"
    # The menu drops from the menu bar: its top is the canvas's.
    for _ in $(seq 20); do
        for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | grep -vx "$window"); do
            (eval "$(xdotool getwindowgeometry --shell "$id")" && [ "$Y" = "$canvas_y" ]) && popup=$id && break 2
        done
        sleep 0.1
    done
    [ -n "$popup" ] || fail "$1 opened no menu"
    sleep 0.3
    import -window "$popup" "$tmp/$2.png" || fail "could not take a picture of the menu"
    keys Escape
}

# Presses the left button at one canvas point (pixels), moves in steps to another, and lets go.
drag() {
    xdotool mousemove $((canvas_x + $1)) $((canvas_y + $2)) mousedown 1
    for step in 1 2 3 4 5; do
        sleep 0.05
        xdotool mousemove $((canvas_x + $1 + ($3 - $1) * step / 5)) $((canvas_y + $2 + ($4 - $2) * step / 5))
    done
    sleep 0.1
    xdotool mouseup 1
    xdotool mousemove 0 0 # off the window, so that no tool tip covers a clock
    sleep 0.3
}

# The value of one key of the clock with the given id in a board file: clock_value <file> <id> <key>.
clock_value() {
    awk -v id="$2" -v key="$3" '
        { sub(/\r$/, "") }
        /^<clock>/ { mine = 0 }
        $0 ~ "^ *id:" id "$" { mine = 1 }
        mine && $0 ~ "^ *" key ":" { sub("^ *" key ":", ""); print; exit }' "$1"
}

cp "$examples/kitchen.clk" "$tmp/kitchen.clk"
"$exe" "$tmp/kitchen.clk" >"$tmp/app.log" 2>&1 &
app_pid=$!
wait_caption "Zentriq - $tmp/kitchen.clk"
find_canvas

shoot_menu alt+m misc0
keys alt+m n # Notify when a clock completes: on by default
shoot_menu alt+m misc1
pictures_differ misc0 misc1 || fail "Misc. Settings > Notify left the menu's check marks as they were"

# "Oven on" stands at (5100, 3750) twips, 340 x 250 px; dragged 100 px right and 50 px down in five steps.
# The first drag on a freshly loaded board lets its first step go, so the clock moves 80 px and 40 px.
shoot_clock 5100 3750 oven0
drag 330 250 430 300
shoot_clock 6300 4350 oven1
pictures_differ oven0 oven1 && fail "after dragging Oven on by (80, 40) px after its first step it is not shown there"

# A box from the empty left margin over "Pot: pasta" and "Sauce" (at 900 and 3000 twips across, 2450 down).
shoot_clock 900 2450 pasta0
shoot_clock 900 1150 bread0
drag 15 135 290 190
shoot_clock 900 2450 pasta1
shoot_clock 900 1150 bread1
pictures_differ pasta0 pasta1 || fail "the box dragged over Pot: pasta did not mark it selected"
pictures_differ bread0 bread1 && fail "Bread, outside the box dragged, changed its look"

keys alt+l g 7 # Selection > Assign selected to group > Group 7
# Once a name is loaded the group items show it in place of their access keys: Group 7 is the eighth.
keys alt+g Down Down Down Down Down Down Down Return
prompt=$(timeout 10 xdotool search --sync --onlyvisible --name '^Group name$' 2>/dev/null | head -n1)
[ -n "$prompt" ] || fail "Group Names > Group 7 asked for no name"
xdotool windowfocus --sync "$prompt"
xdotool key ctrl+a
xdotool type --delay 30 "Pans & pots"
keys Return
xdotool windowfocus --sync "$window"
shoot_menu alt+g groups1

keys alt+f a
choose_file "Save Clocks As" "$tmp/edited.clk"
close_message "Save Clocks As"
[ -f "$tmp/edited.clk" ] || fail "Save Clocks As wrote no file"
saved="$tmp/edited.clk"
[ "$(clock_value "$saved" 307 x) $(clock_value "$saved" 307 y)" = "6300 4350" ] ||
    fail "Oven on was dragged by (1200, 600) twips after its first step, but is saved at ($(clock_value "$saved" 307 x), $(clock_value "$saved" 307 y))"
groups=
for id in 301 302 303 304 305 306 307; do groups="$groups $(clock_value "$saved" "$id" groupnum)"; done
[ "$groups" = " 2 2 7 7 4 4 -1" ] || fail "the saved groups of the seven clocks are$groups, not 2 2 7 7 4 4 -1"
names=$(grep -a '^groupname[37]=' "$saved" | tr -d '\r' | tr '\n' ' ')
[ "$names" = "groupname3=Stove groupname7=Pans & pots " ] || fail "saved group names 3 and 7 are: $names"
keys alt+f q
expect_exit "File > Quit on a board just saved"
expect_settings notify=False

"$exe" "$saved" >"$tmp/app.log" 2>&1 &
app_pid=$!
wait_caption "Zentriq - $saved"
find_canvas
shoot_clock 6300 4350 oven2
pictures_differ oven1 oven2 && fail "reopened, the board does not show Oven on where it was dropped"
shoot_menu alt+m misc2
pictures_differ misc1 misc2 && fail "after a restart Misc. Settings shows other check marks than before Quit"
shoot_menu alt+g groups2
pictures_differ groups1 groups2 && fail "reopened, the Group Names menu does not show the names it showed"
keys alt+f a
choose_file "Save Clocks As" "$tmp/again.clk"
close_message "the second Save Clocks As"
cmp "$saved" "$tmp/again.clk" || fail "the board reopened and saved again unchanged differs from the first save"
keys alt+f q
expect_exit "File > Quit on the reopened board"
echo "PASS: dragged, boxed, grouped, named and saved; after a restart the board, the group names and the switched-off option are as left"
