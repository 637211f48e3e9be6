# The background helper as a user meets it: installed, made a login item and started at the first
# start; the Preferences box turned off stops it, logs so and takes the login item away; turned on
# again, it starts it again.
. "$(dirname "$0")/session.sh"
start_display
printf '[General]\nDisclaimerAccepted=true\n' >"$settings"  # the helper left on
copy_sample house.cp290
start_on "$HOME/house.cp290"
helper_pid() { sed -n 's/^Process%20ID=//p' "$XDG_CONFIG_HOME/Tavorin/Tavorin Helper.conf" 2>/dev/null | tr -d '"'; }
# Alive and not a zombie, since a helper whose parent has gone may wait to be reaped.
alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null && ! grep -qs '^State:.*zombie' "/proc/$1/status"; }
running() { alive "$(helper_pid)"; }
login_item() { grep -lqs "tavorin-helper" "$XDG_CONFIG_HOME"/autostart/*.desktop; }
logged() { grep -q -- "-- $1" "$XDG_DATA_HOME/Logs/TavorinHelper.log"; }
helper_box() {
    activate house.cp290
    xdotool key alt+e e
    activate Preferences
    click Preferences QCheckBox "Download the events again every day with the background helper"
    click Preferences QPushButton Done
}

wait_until "the helper to run" 20 running
pids+=("$(helper_pid)")
login_item || fail "the helper is no login item"
first=$(helper_pid)
helper_box
wait_until "the helper to stop" 10 eval '! alive '"$first"
logged "Disabled by user." || fail "the log does not say the helper was turned off"
! login_item || fail "the login item stayed"
helper_box
wait_until "the helper to run again" 20 eval 'running && [ "$(helper_pid)" != '"$first"' ]'
pids+=("$(helper_pid)")
logged "Enabled by user." || fail "the log does not say the helper was turned on"
login_item || fail "no login item again"
xdotool key ctrl+q
expect_exit_status 0
