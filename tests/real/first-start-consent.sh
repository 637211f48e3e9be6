# Nothing of the helper before consent: a brand-new user who declines the disclaimer is left with
# no helper copy, no login item and no helper running, the quit included; the next start asks
# again, and Accept installs the helper, makes it a login item that names the application, and
# starts it.
. "$(dirname "$0")/session.sh"
start_display
rm -f "$settings"  # no settings at all: the first start ever
copy_sample house.cp290
support="$XDG_DATA_HOME/Application Support"
helpers() { pgrep -f "$support/Tavorin/Tavorin Helper.app" || true; }
helper_running() { [ -n "$(helpers)" ]; }
installed() { [ -x "$support/Tavorin/Tavorin Helper.app/Contents/bin/tavorin-helper" ]; }

start_app "$HOME/house.cp290"
activate Disclaimer
[ ! -e "$support" ] || fail "the helper's folder was made before the disclaimer was answered"
click Disclaimer QPushButton Decline
expect_exit_status 0
[ ! -e "$support" ] || fail "declining left the helper's files: $(find "$support")"
[ -z "$(ls -A "$XDG_CONFIG_HOME/autostart" 2>/dev/null)" ] || fail "declining left a login item"
[ -z "$(helpers)" ] || fail "declining left a helper running"
[ ! -e "$XDG_DATA_HOME/Logs" ] || fail "declining left a log"
[ -z "$(setting DisclaimerAccepted)" ] || fail "declining left a mark"

start_app "$HOME/house.cp290"
activate Disclaimer
click Disclaimer QPushButton Accept
wait_until "the disclaimer to close" 10 is_active house.cp290
wait_until "the helper to be installed" 20 installed
wait_until "the helper to run" 20 helper_running
pids+=($(helpers))
entry="$XDG_CONFIG_HOME/autostart/tavorin-helper.desktop"
[ -f "$entry" ] || fail "no login item after Accept"
grep -qx "TryExec=$build/tavorin" "$entry" || fail "the login item does not name the application: $(cat "$entry")"
quit_cleanly
