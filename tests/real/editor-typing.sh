# The event editor's fields as they are typed in: Up three times in the time field is saved at
# once, a whole time typed in any of its forms when Return ends it, a date when Tab leaves it, the
# repeat days stepped at once; Tab leaves the time field for the next control; Ctrl+S writes what
# the outline shows.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user
w=house.cp290

row_at() { awk -F'\t' -v w="$w" -v r="$1" '$1 == w && $2 == "row" && $3 == r { print $9 }' "$work/map"; }
row_shows() { [ "$(row_at "$1")" = "$2" ]; }

click "$w" QPushButton "Show Event Editor"
xdotool mousemove $(select_text "$w" "Turn Off @ 11:30 PM Every Day") click 1
porch_off=$(rows_of "$w" | awk -F'\t' '$9 == "Turn Off @ 11:30 PM Every Day" { print $3 }')
click "$w" ClockField Time
xdotool key End Up Up Up
wait_map "Up three times to reach the outline" row_shows "$porch_off" "Turn Off @ 11:33 PM Every Day"

for typed in "7:05 AM|07:05 AM" "19:05|07:05 PM" "7:10p|07:10 PM"; do
    xdotool key ctrl+a
    xdotool type --delay 20 "${typed%%|*}"
    xdotool key Return
    wait_map "\"${typed%%|*}\" to be saved when Return ends it" row_shows "$porch_off" "Turn Off @ ${typed##*|} Every Day"
done
xdotool key Tab
refresh_map
! grep -q $'^focus\tClockField\tTime$' "$work/map" || fail "Tab stayed in the time field"

# A dated event: its date typed, its repeat days stepped.
xdotool mousemove $(select_text "$w" "Vacation Lights") click 1
xdotool key Right
open_module() { awk -F'\t' '$2 == "row" && $9 ~ /^Turn On @ 07:15 PM/' "$work/map" | grep -q .; }
wait_map "Vacation Lights to open" open_module
xdotool mousemove $(select_text "$w" "Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter") click 1
vacation_on=$(rows_of "$w" | awk -F'\t' '$9 == "Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter" { print $3 }')
click "$w" ClockField Date
xdotool key ctrl+a
xdotool type --delay 20 "12/24/2026"
xdotool key Tab
wait_map "the typed date to be saved" row_shows "$vacation_on" "Turn On @ 07:15 PM On 12/24/2026 & Every 2 Days Thereafter"
click "$w" QSpinBox "Repeat every so many days"
xdotool key Up
wait_map "the repeat days to be saved" row_shows "$vacation_on" "Turn On @ 07:15 PM On 12/24/2026 & Every 3 Days Thereafter"

xdotool key ctrl+s
wait_until "the document to be saved" 10 is_active house.cp290
"$build/tavorin-cli" describe "$HOME/house.cp290" >"$work/saved"
grep -q "Turn Off @ 07:10 PM Every Day" "$work/saved" || fail "the saved time: $(cat "$work/saved")"
grep -q "On 12/24/2026 & Every 3 Days" "$work/saved" || fail "the saved date: $(cat "$work/saved")"
quit_cleanly
