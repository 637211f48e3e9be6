# Help from where the user is: F1 on the focused "Send to CP290" button, the window's "?" button,
# and F1 on a highlighted item of the CP290 menu, each open the help book at their own anchor.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user

help_page() { value_of "Tavorin Help" QTextBrowser ""; }
focus_on() { refresh_map; grep -q "^focus	QPushButton	$1\$" "$work/map"; }

for _ in $(seq 40); do
    focus_on "Send to CP290" && break
    xdotool key Tab
done
focus_on "Send to CP290" || fail "Tab never reached Send to CP290"
xdotool key F1
activate "Tavorin Help"
[ "$(help_page)" = "qrc:/help/document.html#Send to CP290" ] || fail "F1 opened $(help_page)"

activate house.cp290
click house.cp290 QPushButton "?"
activate "Tavorin Help"
[ "$(help_page)" = "qrc:/help/document.html#Document Window" ] || fail "the window's help button opened $(help_page)"

activate house.cp290
xdotool key alt+2 Down
xdotool key F1
activate "Tavorin Help"
[ "$(help_page)" = "qrc:/help/cp290.html#Set Base House Code" ] || fail "F1 in the menu opened $(help_page)"
quit_cleanly
