# A new user's first start: accept the disclaimer, open Preferences (which, on a computer whose
# zone names no place, asks for the location rather than making one up), close them, quit.
. "$(dirname "$0")/session.sh"
export TZ=Etc/UTC  # a zone that names no place
start_display
new_user
copy_sample house.cp290
start_app "$HOME/house.cp290"

activate Disclaimer
click Disclaimer QPushButton Accept
wait_until "the disclaimer to close" 10 is_active house.cp290
[ "$(setting DisclaimerAccepted)" = true ] || fail "the acceptance was not kept"

xdotool key alt+e e
activate Preferences
refresh_map
latitude=$(map_line Preferences QDoubleSpinBox "" | cut -f8)
case "$latitude" in *0.00*) fail "the preferences make up a place: $latitude" ;; esac
grep -q $'\tNot known' "$work/map" || fail "the preferences do not say the location is not known"
click Preferences QPushButton Done
wait_until "the preferences to close" 10 is_active house.cp290

xdotool key ctrl+q
expect_exit_status 0
