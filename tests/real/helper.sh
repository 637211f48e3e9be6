# The background helper as a user meets it: installed over an older one, made a login item (or
# kept as one) and started at the start, a second copy leaving at once; the Preferences box turned
# off stops it, logs so and takes the login item away; turned on again, it starts it again.
. "$(dirname "$0")/session.sh"
start_display
printf '[General]\nDisclaimerAccepted=true\n' >"$settings"  # the helper left on
copy_sample house.cp290
# An older build of the same major and minor version installed and running (a stand-in: the sleep
# program under the helper's name), and a login item for a helper somewhere else: the shipped
# helper replaces and stops the older one, and the item is not doubled.
older_bundle="$XDG_DATA_HOME/Application Support/Tavorin/Tavorin Helper.app"
mkdir -p "$older_bundle/Contents/bin" "$XDG_CONFIG_HOME/autostart"
printf '<plist version="1.0"><dict><key>CFBundleVersion</key><string>1.1</string></dict></plist>\n' >"$older_bundle/Contents/Info.plist"
cp /bin/sleep "$older_bundle/Contents/bin/tavorin-helper"
"$older_bundle/Contents/bin/tavorin-helper" 60 &
older=$!
pids+=("$older")
printf '[General]\nProcess%%20ID=%s\n' "$older" >"$XDG_CONFIG_HOME/Tavorin/Tavorin Helper.conf"
printf '[Desktop Entry]\nType=Application\nExec="/opt/old/Tavorin Helper.app/Contents/bin/tavorin-helper"\n' >"$XDG_CONFIG_HOME/autostart/old.desktop"
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

wait_until "the older helper to be stopped" 20 eval '! alive '"$older"
wait_until "the helper to run" 20 eval 'running && [ "$(helper_pid)" != '"$older"' ]'
pids+=("$(helper_pid)")
cmp -s "$older_bundle/Contents/bin/tavorin-helper" "$build/Tavorin Helper.app/Contents/bin/tavorin-helper" ||
    fail "the older helper was not replaced"
[ "$(grep -ls tavorin-helper "$XDG_CONFIG_HOME"/autostart/*.desktop | wc -l)" -eq 1 ] || fail "the login item was doubled"
first=$(helper_pid)
logged "Started." || fail "the helper did not log its start"
timeout 10 "$older_bundle/Contents/bin/tavorin-helper" || fail "a second copy did not leave at once"
[ "$(helper_pid)" = "$first" ] || fail "a second copy took the first one's place"
helper_box
wait_until "the helper to stop" 10 eval '! alive '"$first"
logged "Disabled by user." || fail "the log does not say the helper was turned off"
logged "Stopped." && [ -z "$(helper_pid)" ] || fail "the helper did not log its stop or left its process number"
! login_item || fail "the login item stayed"
helper_box
wait_until "the helper to run again" 20 eval 'running && [ "$(helper_pid)" != '"$first"' ]'
pids+=("$(helper_pid)")
logged "Enabled by user." || fail "the log does not say the helper was turned on"
login_item || fail "no login item again"
quit_cleanly
