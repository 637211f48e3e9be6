# What every real-input scenario shares: its own X server with a window manager, its own home and
# settings, the application started on them, and the ways a person looks at and touches it.
# Sourced by the scenarios; TAVORIN_BUILD names the build folder.
set -euo pipefail

build=${TAVORIN_BUILD:?the build folder}
work=$(mktemp -d)
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" TAVORIN_WIDGET_MAP="$work/map"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Tavorin" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Tavorin/Tavorin.conf"
pids=()
app_pid=

fail() {
    echo "FAILED: $*" >&2
    echo "(the active window: \"$(xdotool getactivewindow getwindowname 2>/dev/null)\")" >&2
    [ -s "$work/app.out" ] && { echo '--- application output' >&2; tail -n 40 "$work/app.out" >&2; }
    [ -s "$work/map" ] && { echo '--- last widget map' >&2; grep -v $'\t(QWidget|QFrame|QScrollBar|QStackedWidget)\t' -E "$work/map" | head -n 60 >&2; }
    exit 1
}

session_end() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap session_end EXIT

# Polls a condition (a command) fifty times a second until it holds, failing after $2 seconds.
wait_until() {
    local what=$1 limit=$2 deadline
    shift 2
    deadline=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "waited ${limit}s for $what"
        sleep 0.02
    done
}

start_display() {
    Xvfb -displayfd 3 -screen 0 "${1:-1280x800}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    wait_until "the X server" 20 test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    start_window_manager
}

# The window manager is up once it has published its desktops. One that exits before that (seen
# once in a loaded run) is started again; its own words go with a failure.
start_window_manager() {
    local attempt deadline
    for attempt in 1 2 3; do
        openbox --sm-disable >>"$work/openbox.log" 2>&1 &
        pids+=($!)
        deadline=$((SECONDS + 10))
        while kill -0 "${pids[-1]}" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
            xdotool get_desktop >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        xdotool get_desktop >/dev/null 2>&1 && return 0
        kill "${pids[-1]}" 2>/dev/null || true
    done
    fail "the window manager did not start: $(tail -n 5 "$work/openbox.log")"
}

# The settings a returning user has: disclaimer accepted, no background helper.
returning_user() {
    printf '[General]\nDisclaimerAccepted=true\nNo%%20Helper=true\n' >"$settings"
}

new_user() {
    printf '[General]\nNo%%20Helper=true\n' >"$settings"
}

# The emulated CP290, linked as $device and chosen in the CP290 menu: start_emulator [OPTION...].
start_emulator() {
    device="$work/devices/ttyCP290"
    mkdir -p "$work/devices"
    "$build/cp290-emulator" --link "$device" "$@" >"$work/emulator.out" 2>&1 &
    pids+=($!)
    wait_until "the emulator" 20 test -L "$device"
    printf 'Extra%%20Serial%%20Device%%20Folder=%s\nSerialDevice=CP290\n' "$work/devices" >>"$settings"
}

# The sample document copied into the home folder under a name: copy_sample NAME.
copy_sample() {
    cp "$TAVORIN_SOURCE/examples/house.cp290" "$HOME/$1"
}

# A house of MODULES modules, every one open, each with the same EVENTS events (turn off at 11:30 PM), written by hand:
# write_house FILE MODULES EVENTS.
write_house() {
    local file=$1 modules=$2 events module
    events=$(for _ in $(seq "$3"); do printf '<data>5zpWAAACm/gAAAAAAAkAAH8gAAA=</data>'; done)
    {
        printf '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n<dict>\n'
        printf '<key>DrawerOpen</key><false/><key>EventRepeat</key><data>AQE=</data>\n<key>Modules</key><array>\n'
        for module in $(seq "$modules"); do
            printf '<dict><key>#</key><integer>%d</integer><key>C</key><integer>%d</integer><key>Events</key><array>%s</array>' \
                $((module % 16 + 1)) $((module % 16)) "$events"
            printf '<key>N</key><string>Module %d</string><key>T</key><integer>1</integer><key>X</key><true/></dict>\n' "$module"
        done
        printf '</array>\n<key>SelectedRows</key><array/>\n</dict>\n</plist>\n'
    } >"$file"
}

# The usual start: a returning user's first window, on a copy of the sample in the home folder;
# with the argument "with-emulator", the emulated CP290 chosen in the CP290 menu.
open_sample_as_returning_user() {
    start_display
    returning_user
    if [ "${1:-}" = with-emulator ]; then start_emulator; fi
    copy_sample house.cp290
    start_on "$HOME/house.cp290"
}

# The application on a document, its window in front: start_on FILE.
start_on() {
    start_app "$1"
    activate "$(basename "$1")"
}

start_app() {
    rm -f "$work/map"  # each run of the application counts its answers from one
    "$build/tavorin" "$@" >"$work/app.out" 2>&1 &
    app_pid=$!
    pids+=($app_pid)
}

# The application's answer to "where is everything", written at its next idle turn.
refresh_map() {
    local before=0
    [ -f "$work/map" ] && before=$(sed -n '1s/^serial\t//p' "$work/map")
    kill -USR1 "$app_pid" 2>/dev/null || fail "the application is gone"
    wait_until "the application to answer" 30 map_newer_than "$before"
}
# Asks the application again until what it shows meets a condition: wait_map WHAT CONDITION...
wait_map() {
    local what=$1 deadline=$((SECONDS + 10))
    shift
    until refresh_map && "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "waited 10s for $what"
        sleep 0.1
    done
}
map_newer_than() { [ -f "$work/map" ] && [ "$(sed -n '1s/^serial\t//p' "$work/map")" -gt "$1" ]; }

# One line of the map: window title, kind, label (exact), then x y w h and the value.
map_line() {
    awk -F'\t' -v w="$1" -v k="$2" -v l="$3" '$1 == w && $2 == k && $3 == l { print; exit }' "$work/map"
}

# The value of a control (checked, enabled, its text) as the map shows it.
value_of() {
    refresh_map
    map_line "$1" "$2" "$3" | cut -f8
}

centre_of() {
    local line
    line=$(map_line "$1" "$2" "$3")
    [ -n "$line" ] || fail "no $2 \"$3\" in the window \"$1\""
    echo "$line" | awk -F'\t' '{ printf "%d %d\n", $4 + $6 / 2, $5 + $7 / 2 }'
}

# Clicks a control by its label, once it is shown: click WINDOW KIND LABEL.
click() {
    wait_map "a $2 \"$3\" in the window \"$1\"" shown "$@"
    local at
    at=$(centre_of "$@")
    xdotool mousemove $at click 1
}
shown() { [ -n "$(map_line "$@")" ]; }

# Opens menus by their keys, each shown before the next key is pressed: menu alt+f t.
menu() {
    local depth=0 key
    for key in "$@"; do
        xdotool key "$key"
        depth=$((depth + 1))
        wait_map "menu $depth to open after $key" menus_open "$depth"
    done
}
menus_open() { [ "$(grep -c $'^\twindow\t' "$work/map")" -ge "$1" ]; }
# An item of the open menus as "enabled checked", "disabled unchecked" and so on: menu_item TEXT.
menu_item() { awk -F'\t' -v t="$1" '$2 == "item" && $3 == t { print $4, $5; exit }' "$work/map"; }

# The outline's visible rows: "row x y w h selected text" lines of a window.
rows_of() {
    refresh_map
    awk -F'\t' -v w="$1" '$1 == w && $2 == "row"' "$work/map"
}
# The texts of a window's visible rows in order, each followed by "|": rows WINDOW.
rows() { rows_of "$1" | cut -f9 | tr '\n' '|'; }
# Where to click to select the row with this text, left of where a drag starts: select_text WINDOW TEXT.
select_text() { rows_of "$1" | awk -F'\t' -v t="$2" '$9 == t { printf "%d %d\n", $4 + 30, $5 + $7 / 2; exit }'; }
# Clicks the row with this text, and waits for it to be selected: click_row WINDOW TEXT.
click_row() {
    xdotool mousemove $(select_text "$1" "$2") click --delay 0 1
    wait_map "\"$2\" selected" row_selected "$1" "$2"
}
# The number of the row with this text: row_of WINDOW TEXT.
row_of() { rows_of "$1" | awk -F'\t' -v t="$2" '$9 == t { print $3; exit }'; }
# Whether the scenario's window, $w, shows a row with this text: has_row TEXT.
has_row() { rows_of "$w" | cut -f9 | grep -qxF -- "$1"; }
row_selected() { rows_of "$1" | awk -F'\t' -v t="$2" '$9 == t' | grep -q $'\tselected\t'; }

# Moves the pressed pointer from one point to another in steps, as a hand does.
move_in_steps() {
    local fx=$1 fy=$2 tx=$3 ty=$4 step
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $((fx + (tx - fx) * step / 6)) $((fy + (ty - fy) * step / 6 + (step == 1 ? 12 : 0)))
    done
}

# Drags with the left button from one point to another: pressed, moved, held over the target
# until the outline under it has taken the movement in, released. A fifth and sixth argument name
# a point to pass on the way, for a target too near its start for a drag to begin.
drag() {
    local tx=$3 ty=$4
    xdotool mousemove "$1" "$2" mousedown 1
    if [ $# -ge 6 ]; then
        move_in_steps "$1" "$2" "$5" "$6"
        move_in_steps "$5" "$6" "$tx" "$ty"
    else
        move_in_steps "$@"
    fi
    # A window under a drag hears of the next position only once it has answered the last one:
    # seen at both, the target has answered.
    xdotool mousemove "$tx" "$((ty + 1))"
    wait_map "the drag to reach $tx,$((ty + 1))" dragged_to "$tx" "$((ty + 1))"
    xdotool mousemove "$tx" "$ty"
    wait_map "the drag to reach $tx,$ty" dragged_to "$tx" "$ty"
    if [ -n "${hold:-}" ] && ! "$hold"; then
        xdotool mouseup 1
        fail "held over the target, the outline did not show: $hold"
    fi
    xdotool mouseup 1
}

# The same movement where no drag is to start, so there is nothing to wait for.
press_and_move() {
    xdotool mousemove "$1" "$2" mousedown 1
    move_in_steps "$@"
    xdotool mouseup 1
}
dragged_to() { awk -F'\t' -v x="$1" -v y="$2" '$2 == "dragged" && $3 == x && $4 == y' "$work/map" | grep -q .; }

# The window with this title as the application set it, changed ("*") or not; with a second
# argument "changed", only a changed one.
window_id() {
    local name mark='\*?'
    name=$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')
    [ "${2:-}" = changed ] && mark='\*'
    xdotool search --all --onlyvisible --pid "$app_pid" --name "^$name$mark( — Tavorin)?\$" 2>/dev/null | tail -n 1
}

wait_window() {
    wait_until "a window \"$1\"" "${2:-20}" window_id_found "$1"
}
window_id_found() { [ -n "$(window_id "$@")" ]; }
no_window() { [ -z "$(window_id "$1")" ]; }

activate() {
    wait_window "$1"
    wait_until "\"$1\" to be the active window" 10 brought_to_front "$1"
}
# One try: the window is asked to come to the front, and is there. (A window being mapped may
# not be found for a moment: the next try finds it.)
brought_to_front() {
    local id
    id=$(window_id "$1")
    [ -n "$id" ] && xdotool windowactivate "$id" >/dev/null 2>&1 && shows_in_front "$1"
}
# The window is in front, changed ("*") or not.
shows_in_front() { local title; title=$(active_title); [ "$title" = "$1" ] || [ "$title" = "$1*" ]; }

# The active window's title as the application set it ("*" marks a changed document).
active_title() { xdotool getactivewindow getwindowname 2>/dev/null | sed 's/ — Tavorin$//'; }
is_active() { [ "$(active_title)" = "$1" ]; }

# Waits for the application to end and checks its exit status.
expect_exit_status() {
    local want=$1 status=0
    wait_until "the application to quit" 20 app_ended
    wait "$app_pid" || status=$?
    [ "$status" -eq "$want" ] || fail "exit status $status, $want expected"
}
app_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
# Quit by its key, and a clean exit.
quit_cleanly() { xdotool key ctrl+q; expect_exit_status 0; }
# "Save changes?" answered Discard.
discard_changes() { activate "Save changes?"; click "Save changes?" QPushButton Discard; }

setting() {
    sed -n "s/^$1=//p" "$settings"
}
