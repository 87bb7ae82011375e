# Shared by the smoke scripts: a private X server, a private home, and the real program on it.
# Source it after setting exe and build; it exits 77 (skipped) when no X server can be started.

smoke_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tmp=$(mktemp -d)
xvfb_pid=
app_pid=

smoke_cleanup() {
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap smoke_cleanup EXIT

skip() {
    echo "SKIPPED: $*"
    exit 77
}

fail() {
    echo "FAIL: $*"
    exit 1
}

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is not installed, so the program cannot be shown"
done
[ -x "$exe" ] || fail "no program at $exe"

# Xvfb chooses a free display itself and writes its number to the descriptor.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
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
