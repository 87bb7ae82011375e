# Shared by the scripts in bench/: a private X server and home, OpenAL Soft's silent "null" output unless
# ALSOFT_DRIVERS or ALSOFT_CONF says otherwise, boards written as clock files, the real program driven
# through its menus, and readings from /proc. Source it; it sets bench_tmp and cleans up on exit.

bench_tmp=$(mktemp -d)
bench_xvfb=
app_pid=
bench_cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$bench_xvfb" ] && kill "$bench_xvfb" 2>/dev/null && wait "$bench_xvfb" 2>/dev/null
    rm -rf "$bench_tmp"
}
trap bench_cleanup EXIT

command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 1; }
# Xvfb chooses a free display itself and writes its number to the descriptor.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$bench_tmp/display" 2>/dev/null &
bench_xvfb=$!
for _ in $(seq 50); do [ -s "$bench_tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$bench_tmp/display")"
export HOME="$bench_tmp" XDG_CONFIG_HOME="$bench_tmp/config" XDG_DATA_HOME="$bench_tmp/data"
export XDG_RUNTIME_DIR="$bench_tmp/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
unset WAYLAND_DISPLAY

ticks_per_second=$(getconf CLK_TCK)
# CPU time of a process in clock ticks, user and system.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Voluntary context switches: of all threads, and of the main thread alone (its wake-ups).
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
main_switches() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status"; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
# The middle one of three numbers.
median3() { printf '%s\n' "$@" | sort -g | sed -n 2p; }

# write_board FILE COUNT KIND: a board the program opens, arranged over a 1270 x 870 window, every clock
# named and ticking. KIND: "up" clocks count up, so they never complete; "stopped" count down from an hour;
# "spread" count down from 12, 15, ... 57 s (clock i from 12 + 3 * (i % 16)); "ring:N:S" count down from
# S s in rings of N, each clock starting the next and the last the first.
write_board() {
    awk -v count="$2" -v kind="$3" 'BEGIN {
        print "progver=1.0.3"; print "formtop=0"; print "formleft=0"
        print "formwidth=19050"; print "formheight=13050"
        print "showboxes=False"; print "autoarrange=True"; print "mute=False"
        for (g = 0; g < 10; ++g) print "groupname" g "="
        split(kind, k, ":")
        for (i = 0; i < count; ++i) {
            type = 0; duration = 3600; link = 0
            if (k[1] == "up") type = 1
            if (k[1] == "spread") duration = 12 + 3 * (i % 16)
            if (k[1] == "ring") {
                duration = k[3]; first = i - i % k[2]
                link = (i + 1 < first + k[2] && i + 1 < count) ? i + 2 : first + 1
            }
            print "<clock>"; print "   id:" i + 1; print "   groupnum:0"; print "   linksto:" link
            print "   type:" type; print "   comment:Clock " i + 1; print "   soundactive:True"
            print "   duration:" duration; print "   currenttime:" (type == 1 ? 0 : duration)
            print "   x:" 900 + 1800 * (i % 10); print "   y:" 700 + 800 * int(i / 10)
            print "   active:False"; print "   alarmactive:True"; print "   alarmfile:sounds/alarms/wristWatch.wav"
            print "   tickvol0:5"; print "   tickvol1:15"; print "   tickvol2:50"; print "   tickvol3:75"
            print "   tickvol4:100"; print "   alarmvol:100"; print "</clock>"
        }
    }' >"$1"
}

# start_program EXE FILE: opens the board in the program and waits for its window; sets app_pid, window.
start_program() {
    "$1" "$2" >"$bench_tmp/app.log" 2>&1 &
    app_pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name 'Zentriq' 2>/dev/null | head -n1)
    [ -n "$window" ] || { echo "no window appeared: $(cat "$bench_tmp/app.log")"; return 1; }
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

# Presses keys one after another, as a user picks menu items by their access keys.
keys() {
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.3
    done
}

# Se&lection > Select &All, &Start selected clocks, Select &None.
start_all_clocks() { keys alt+l a alt+l s alt+l n; }

stop_program() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    app_pid=
}
