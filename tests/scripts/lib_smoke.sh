# Shared by the smoke scripts: a private X server, a private home, and the real program on it.
# Source it after setting exe and build; it exits 77 (skipped) when no X server can be started.

smoke_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tmp=$(mktemp -d)
xvfb_pid=
app_pid=
wm_pid=

smoke_cleanup() {
    # ZENTRIQ_KEEP_PICTURES=1 keeps them after a run that passed, too.
    [ -n "${ZENTRIQ_KEEP_PICTURES:-}" ] && keep_pictures
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap smoke_cleanup EXIT

skip() {
    echo "SKIPPED: $*"
    exit 77
}

# Keeps the pictures a run took, for a person to look at: <build>/tests/shots/<script>/.
keep_pictures() {
    [ -n "${pictures_kept:-}" ] && return
    pictures_kept=1
    if [ -n "${build:-}" ] && compgen -G "$tmp/*.png" >/dev/null; then
        local keep
        keep="$build/tests/shots/$(basename "$0" .sh)"
        mkdir -p "$keep" && cp "$tmp"/*.png "$keep/" && echo "pictures kept in $keep"
    fi
}

fail() {
    echo "FAIL: $*"
    keep_pictures
    exit 1
}

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is not installed, so the program cannot be shown"
done
[ -x "$exe" ] || fail "no program at $exe"

# Xvfb chooses a free display itself and writes its number to the descriptor. -noreset: the scripts restart
# the program, and a server that resets when its last client leaves refuses the next one for a moment.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
[ -s "$tmp/display" ] || skip "Xvfb could not start: $(tr '\n' ' ' <"$tmp/xvfb.log")"
export DISPLAY=":$(head -n1 "$tmp/display")"

export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=null
unset WAYLAND_DISPLAY
export LSAN_OPTIONS="suppressions=$smoke_dir/../lsan.supp"
settings="$XDG_CONFIG_HOME/zentriq/zentriq.conf"

# Starts openbox, a real window manager, and waits until it manages the screen; $1 says what a script
# without one cannot check.
start_window_manager() {
    command -v openbox >/dev/null || skip "openbox is not installed, so $1"
    openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 50); do
        xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    skip "openbox could not start: $(tr '\n' ' ' <"$tmp/openbox.log")"
}

# For scripts that photograph and compare the screen.
need_imagemagick() {
    if ! command -v import >/dev/null || ! command -v compare >/dev/null; then
        skip "ImageMagick's import and compare are not installed, so the screen cannot be looked at"
    fi
}

# Starts the program and waits until its window is shown; sets app_pid and window.
start_program() {
    "$exe" >"$tmp/app.log" 2>&1 &
    app_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zentriq$' 2>/dev/null | head -n1)
    [ -n "$window" ] || fail "no window captioned Zentriq appeared; program output: $(cat "$tmp/app.log")"
    xdotool windowfocus --sync "$window"
    sleep 0.3
}

# Presses keys one after another, as a user picks menu items by their access keys.
keys() {
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.3
    done
}

# Waits up to 10 s for the program to end and checks it ended with status 0.
expect_exit() {
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after $1"
    wait "$app_pid"
    local status=$?
    app_pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status after $1; output: $(cat "$tmp/app.log")"
}

# Checks the stored options: expect_settings syncClocks=True allowRepos=True ...
expect_settings() {
    [ -f "$settings" ] || fail "no settings file at $settings"
    grep -qx '\[misc\]' "$settings" || fail "no [misc] section in: $(cat "$settings")"
    for pair in "$@"; do
        grep -qx "$pair" "$settings" || fail "expected $pair in: $(cat "$settings")"
    done
}

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

# Answers "Save changes to this board?" with Discard, when the question is shown; Tab moves from "Save".
discard_if_asked() {
    local question
    for _ in $(seq 10); do
        question=$(xdotool search --onlyvisible --name '^Zentriq$' 2>/dev/null | grep -vx "$window" | head -n1)
        [ -n "$question" ] && break
        kill -0 "$app_pid" 2>/dev/null || return 0
        sleep 0.2
    done
    [ -n "$question" ] || return 0
    xdotool windowfocus --sync "$question"
    keys Tab space
}

# Measuring the screen as a person with a ruler would, with X's own utilities and ImageMagick.
# window_frame <window id>: the client's x y width height, then the frame's left right top bottom, once the
# window manager has announced the frame.
window_frame() {
    local extents
    extents=$(xprop -id "$1" -notype _NET_FRAME_EXTENTS 2>/dev/null) && [[ $extents == *=* ]] || return 1
    xwininfo -id "$1" 2>/dev/null | awk -v e="${extents#*=}" '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
        END { gsub(/[ ,]+/, " ", e); print x, y, w, h e }'
}

# first_white <x> <y> <height>: the first y from (x, y) down whose pixel is pure white.
first_white() {
    import -window root -crop "1x$3+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[,:]' -v y0="$2" '/#FFFFFF/ { print y0 + $2; found = 1; exit } END { exit !found }'
}

# ink_bounds <x> <y> <width> <height>: x0 y0 x1 y1 (inclusive) of the dark pixels (a channel below 160) in
# the area. A white border keeps ImageMagick's bounding box from taking a dark corner for the background.
ink_bounds() {
    local box
    box=$(import -window root -crop "$3x$4+$1+$2" +repage png:- 2>/dev/null | convert - -channel RGB -separate \
        -evaluate-sequence min -threshold 62.7% -bordercolor white -border 1 -format '%@' info: 2>/dev/null)
    awk -v b="$box" -v ox="$1" -v oy="$2" 'BEGIN {
        if (split(b, v, /[x+]/) != 4 || v[1] < 1) exit 1
        print ox + v[3] - 1, oy + v[4] - 1, ox + v[3] + v[1] - 2, oy + v[4] + v[2] - 2 }'
}

# Sets canvas_x and canvas_y: where the canvas's top-left corner is on the screen, just below the menu bar.
find_canvas() {
    # shellcheck disable=SC2034 # the geometry's other values, kept local
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    canvas_x=$X
    canvas_y=$(first_white $((X + 1)) "$Y" "$HEIGHT") || fail "no white canvas below the menu bar"
}

# Photographs the box of the clock centred at (x, y) twips on the canvas, with a margin of 3 px that shows
# whether it is marked selected: shoot_clock <x> <y> <picture name>.
shoot_clock() {
    import -window root -crop "73x40+$((canvas_x + $1 / 15 - 36))+$((canvas_y + $2 / 15 - 20))" +repage \
        "$tmp/$3.png" || fail "could not take a picture of the screen"
}

# Whether two pictures of the same size differ in any pixel.
pictures_differ() {
    local count
    count=$(compare -metric AE "$tmp/$1.png" "$tmp/$2.png" null: 2>&1)
    [ "${count%% *}" != 0 ]
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
