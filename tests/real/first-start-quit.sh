# A new user's first start: the disclaimer declined ends the application and is asked again at
# the next start; accepted, then Preferences (which, on a computer whose zone names no place, ask
# for the location rather than making one up): a latitude alone is kept nowhere; the place typed
# in, a western longitude shown as such, Done, quit.
. "$(dirname "$0")/session.sh"
export TZ=Etc/UTC  # a zone that names no place
start_display
new_user
copy_sample house.cp290
start_app "$HOME/house.cp290"
activate Disclaimer
click Disclaimer QPushButton Decline
expect_exit_status 0
[ -z "$(setting DisclaimerAccepted)" ] || fail "declining left a mark"
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
# A latitude alone is no place: nothing is kept, and no longitude of 0 made up.
click Preferences QDoubleSpinBox ""
xdotool key ctrl+a
xdotool type --delay 20 41
xdotool key Tab
click Preferences QPushButton Done
wait_until "the preferences to close" 10 is_active house.cp290
[ -z "$(setting Latitude)$(setting Longitude)" ] || fail "half a place was kept: $(setting Latitude), $(setting Longitude)"
xdotool key alt+e e
activate Preferences
# The place typed in, field after field; today's sun times follow it, and it is kept.
click Preferences QDoubleSpinBox ""
for value in 41 -74 -5; do
    xdotool key ctrl+a
    xdotool type --delay 20 -- "$value"
    xdotool key Tab
done
wait_map "today's sun times for the place typed" grep -q $'^Preferences\tQLabel\tsunrise ' "$work/map"
longitude=$(awk -F'\t' '$1 == "Preferences" && $2 == "QDoubleSpinBox" { n++; if (n == 2) print $8 }' "$work/map")
[ "$longitude" = "74.00° W" ] || fail "the western longitude is shown as \"$longitude\""
click Preferences QPushButton Done
wait_until "the preferences to close" 10 is_active house.cp290
[ "$(setting Latitude):$(setting GMT%20Offset)" = 41:-18000 ] || fail "the place was kept as $(setting Latitude):$(setting GMT%20Offset)"

quit_cleanly
