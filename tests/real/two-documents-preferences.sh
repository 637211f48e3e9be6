# Preferences shown on a window that then closes, and again on the window left: no freed sheet.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user

xdotool key ctrl+n
wait_window Untitled
activate house.cp290
xdotool key alt+e e
activate Preferences
click Preferences QPushButton Done
wait_until "the preferences to close" 10 is_active house.cp290
xdotool key ctrl+w
wait_until "house.cp290 to close" 10 no_window house.cp290

activate Untitled
xdotool key alt+e e
activate Preferences
click Preferences QPushButton Done
wait_until "the preferences to close" 10 is_active Untitled
quit_cleanly
