# A new user's first start: accept the disclaimer, open and close Preferences, quit.
. "$(dirname "$0")/session.sh"
start_display
new_user
cp "$TAVORIN_SOURCE/examples/house.cp290" "$HOME/house.cp290"
start_app "$HOME/house.cp290"

activate Disclaimer
click Disclaimer QPushButton Accept
wait_until "the disclaimer to close" 10 is_active house.cp290
[ "$(setting DisclaimerAccepted)" = true ] || fail "the acceptance was not kept"

xdotool key alt+e e
activate Preferences
click Preferences QPushButton Done
wait_until "the preferences to close" 10 is_active house.cp290

xdotool key ctrl+q
expect_exit_status 0
