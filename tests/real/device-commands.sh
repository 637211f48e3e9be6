# The CP290 menu by its keys on the emulated CP290: the emulator chosen as the serial device (the
# menu's last item, Up from its first), remembered, checked and listed once however often the menu
# opens; Set Base House Code C, Run Self Test and Show CP290 Clock each end in their own alert,
# taken down with Return, and Set CP290 Clock in none; with the chosen device gone, each of the
# five commands says there is no serial device and the listing window stays shut; a CP290 that
# never answers gets the driver's alert, then the command's.
. "$(dirname "$0")/session.sh"
start_display
returning_user
start_emulator
sed -i '/^SerialDevice=/d' "$settings"  # chosen below, in the CP290 menu
copy_sample house.cp290
start_on "$HOME/house.cp290"
menu alt+2
xdotool key Up Return
wait_until "the emulated CP290 to be chosen and remembered" 10 test "$(setting SerialDevice)" = CP290
answered() { activate "$1"; xdotool key Return; wait_until "\"$1\" to go" 10 no_window "$1"; }

menu alt+2 b
xdotool key Down Down Return
answered "Base House Code Set"
xdotool key alt+2 t
answered "Self Test OK"
xdotool key alt+2 o
answered "Clock From CP290"
# Each opening of the menu scans again: the chosen device is checked, and listed once.
menu alt+2
[ "$(menu_item CP290)" = "enabled checked" ] && [ "$(grep -c $'^\titem\tCP290\t' "$work/map")" -eq 1 ] ||
    fail "after five openings the device items are: $(grep $'^\titem\t' "$work/map" | cut -f3,5 | tr '\n' ' ')"
xdotool key s
# Keys pressed while the CP290 is busy are dropped: Quit is pressed until it is heard.
quit_heard() { no_window "Setting Clock Failed" || touch "$work/clock-failed"; xdotool key ctrl+q; sleep 0.3; app_ended; }
wait_until "the clock to be set and the application to quit" 20 quit_heard
expect_exit_status 0
[ ! -e "$work/clock-failed" ] || fail "setting the clock failed"

sed -i 's/^SerialDevice=.*/SerialDevice=Gone/' "$settings"
start_on "$HOME/house.cp290"
for command in l t s o; do
    xdotool key alt+2 "$command"
    answered "No Serial Device"
done
menu alt+2 b
xdotool key Down Down Return
answered "No Serial Device"
no_window "Events From CP290" || fail "the listing window opened without a device"
quit_cleanly

# A CP290 that never answers: the driver's alert first, then the command's own.
rm "$device"
sed -i '/^SerialDevice=/d; /^Extra%20Serial/d' "$settings"
start_emulator --silent
start_on "$HOME/house.cp290"
menu alt+2
[ "$(menu_item CP290)" = "enabled checked" ] || fail "the remembered device is not checked after a restart"
xdotool key o
answered "CP290 Not Responding"
answered "Getting Clock Failed"
quit_cleanly
