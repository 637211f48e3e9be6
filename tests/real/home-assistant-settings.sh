# The Preferences' Home Assistant section as a user meets it, against a real mosquitto that wants a
# login: a wrong password tried and refused, the right one connected, Done left with the password
# still in its field; the settings are kept readable by the user only, the running helper restarts
# as the bridge, logs in and announces itself, and the password is on no command line and in no log.
. "$(dirname "$0")/session.sh"
start_display
printf '[General]\nDisclaimerAccepted=true\n' >"$settings"  # the helper left on
start_emulator

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mosquitto_passwd -c -b "$work/passwords" tavorin secret
chmod 600 "$work/passwords"
# As whoever runs the test: mosquitto started by root would otherwise drop to a user that cannot read the passwords.
printf 'user %s\nlistener %s 127.0.0.1\nallow_anonymous false\npassword_file %s\n' "$(id -un)" "$port" "$work/passwords" >"$work/mosquitto.conf"
/usr/sbin/mosquitto -c "$work/mosquitto.conf" >"$work/mosquitto.out" 2>&1 &
pids+=($!)
wait_until "the broker" 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$port"

copy_sample house.cp290
start_on "$HOME/house.cp290"
helper_conf="$XDG_CONFIG_HOME/Tavorin/Tavorin Helper.conf"
helper_pid() { sed -n 's/^Process%20ID=//p' "$helper_conf" 2>/dev/null | tr -d '"'; }
wait_until "the helper to run" 20 eval '[ -n "$(helper_pid)" ] && kill -0 "$(helper_pid)"'
first=$(helper_pid)
pids+=("$first")

result_says() { refresh_map; map_line Preferences QLabel "$1" | grep -q .; }
type_into() {
    click Preferences QLineEdit "$1"
    xdotool key ctrl+a
    xdotool type --delay 5 "$2"
}

xdotool key alt+e e
activate Preferences
type_into Broker "mqtt://127.0.0.1:$port"
type_into User tavorin
type_into Password wrong
click Preferences QPushButton "Test Connection"
wait_until "the refusal" 15 result_says "The broker refused the connection: not authorised."
type_into Password secret
click Preferences QPushButton "Test Connection"
wait_until "the connection" 15 result_says "Connected to mqtt://tavorin@127.0.0.1:$port."
type_into Password secre
xdotool type --delay 5 t  # the last letter typed and left in the field: Done takes it
click Preferences QPushButton Done
wait_until "the preferences to close" 10 is_active house.cp290

[ "$(stat -c %a "$helper_conf")" = 600 ] || fail "the helper's settings are readable by others: $(stat -c %a "$helper_conf")"
grep -q '^MQTT%20Broker="mqtt://127.0.0.1:'"$port"'"$' "$helper_conf" || fail "the broker was not kept: $(cat "$helper_conf")"
grep -q '^MQTT%20Password="secret"$' "$helper_conf" || fail "the password typed last was not kept"
wait_until "the helper to restart" 20 eval '[ -n "$(helper_pid)" ] && [ "$(helper_pid)" != '"$first"' ] && kill -0 "$(helper_pid)"'
second=$(helper_pid)
pids+=("$second")
log="$XDG_DATA_HOME/Logs/TavorinHelper.log"
wait_until "the bridge to connect" 20 grep -q "Connected to the MQTT broker mqtt://tavorin@127.0.0.1:$port." "$log"
announced=$(mosquitto_sub -p "$port" -u tavorin -P secret -t 'homeassistant/button/+/send_events/config' -C 1 -W 10)
case "$announced" in *'"name": "Send Events Now"'*'"device": {'*) ;; *) fail "no Send Events Now announced: $announced" ;; esac
! grep -q secret "$log" || fail "the password is in the helper's log"
! tr '\0' ' ' <"/proc/$second/cmdline" | grep -q secret || fail "the password is on the helper's command line"
quit_cleanly
