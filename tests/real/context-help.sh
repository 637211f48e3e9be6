# Help from where the user is: F1 on the focused "Send to CP290" button, the window's "?" button,
# and F1 on a highlighted item of the CP290 menu, each open the help book at their own anchor.
# Then the places that used to fall back to the index or the wrong page, as a table of where the
# user stands and the page F1 opens: the offset the caret jumps to after Sunrise, the editor's own
# On, a weekday box, Undo whatever its title says, a File and a Window menu item, an alert,
# and the Preferences' Done.
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

# F1 where the user stands opens this page: f1_opens WHAT PAGE WINDOW.
f1_opens() {
    xdotool key F1
    activate "Tavorin Help"
    [ "$(help_page)" = "qrc:/help/$2" ] || fail "F1 on $1 opened $(help_page), not $2"
    activate "$3"
}
activate house.cp290
click house.cp290 QPushButton "Show Event Editor"
click_row house.cp290 "Turn Off @ 11:30 PM Every Day"
click house.cp290 QCheckBox Sunrise
focus_on_field() { refresh_map; grep -q "^focus	QLineEdit	$1\$" "$work/map"; }
wait_map "the caret in the offset" focus_on_field "Offset before or after"
f1_opens "the offset after Sunrise" "editor.html#Sunrise" house.cp290
click house.cp290 QRadioButton On
f1_opens "the editor's On" "editor.html#Event Editor" house.cp290
click house.cp290 QCheckBox Mon
f1_opens "a weekday box" "editor.html#Days" house.cp290
menu alt+e
f1_opens "Undo (now \"$(grep -o $'\titem\tUndo[^\t]*' "$work/map" | cut -f3)\")" "document.html#Undo" house.cp290
menu alt+f
f1_opens "File > New" "document.html#New" house.cp290
menu alt+w
xdotool key Down
f1_opens "Window > Events From CP290" "cp290.html#List Events in CP290" house.cp290
menu alt+2
xdotool key Return  # List Events in CP290, with no serial device
activate "No Serial Device"
f1_opens "the No Serial Device alert" "serial.html#No Serial Device" "No Serial Device"
xdotool key Return
activate house.cp290
xdotool key alt+e e
activate Preferences
done_focused() { refresh_map; grep -q "^focus	QPushButton	Done\$" "$work/map"; }
for _ in $(seq 30); do
    done_focused && break
    xdotool key Tab
done
done_focused || fail "Tab never reached Done"
f1_opens "the Preferences' Done" "preferences.html#Preferences..." Preferences
click Preferences QPushButton Done
activate house.cp290
xdotool key ctrl+q
discard_changes
expect_exit_status 0
