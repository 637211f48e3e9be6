# The event editor under the mouse: the switch, the level, sunrise and its offset typed (the sign
# by the keys of - and + with or without Shift), the weekday boxes (with the warning once none is
# left) and the day rule each reach the outline at once; Today, Tomorrow and Reset on dated events; the
# repeat counts sheet changes the document only by OK. Then three modules switched at once, last
# first, and the download, each as the emulated CP290 saw it.
. "$(dirname "$0")/session.sh"
open_sample_as_returning_user with-emulator
w=house.cp290
shows() { [ "$(awk -F'\t' -v w="$w" -v r="$row" '$1 == w && $2 == "row" && $3 == r { print $9 }' "$work/map")" = "$1" ]; }
becomes() { wait_map "\"$1\" in the outline" shows "$1"; }

click "$w" QPushButton "Show Event Editor"
row=$(row_of "$w" "Turn On 50.0% @ 06:30 PM On .MTWTF.")
click_row "$w" "Turn On 50.0% @ 06:30 PM On .MTWTF."
click "$w" QRadioButton Off
becomes "Turn Off @ 06:30 PM On .MTWTF."
click "$w" QRadioButton On
becomes "Turn On @ 06:30 PM On .MTWTF."
click "$w" QSlider Brightness
xdotool key Home
becomes "Turn On 12.5% @ 06:30 PM On .MTWTF."
click "$w" QCheckBox Sunrise
becomes "Turn On 12.5% @ Sunrise On .MTWTF."
click "$w" QLineEdit Offset
xdotool key ctrl+a
xdotool type --delay 20 "0:30"
xdotool key Return
becomes "Turn On 12.5% @ Sunrise+00:30 On .MTWTF."
click "$w" QLineEdit "Offset before or after"
xdotool key ctrl+a underscore a  # the minus's shifted key; a letter refused
becomes "Turn On 12.5% @ Sunrise-00:30 On .MTWTF."
xdotool key ctrl+a equal  # the plus's unshifted key
becomes "Turn On 12.5% @ Sunrise+00:30 On .MTWTF."
for day in Mon Tue Wed Thu Fri; do click "$w" QCheckBox "$day"; done
becomes "Turn On 12.5% @ Sunrise+00:30 On ......."
warned() { grep -q "No day is chosen" "$work/map"; }
warned || fail "no warning with no day chosen"
click "$w" QComboBox Days
xdotool key Down Down Return
becomes "Turn On 12.5% @ Sunrise+00:30 On Even Days"
! warned || fail "the warning stayed"

# Today reaches the dated event when the editor next saves it; Reset makes it the new event.
click_row "$w" "Vacation Lights"
xdotool key Right
row=$(row_of "$w" "Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter")
click_row "$w" "Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter"
click "$w" QPushButton Today
click_row "$w" "Turn Off @ 11:15 PM On 12/20/2026 & Every 2 Days Thereafter"
becomes "Turn On @ 07:15 PM On $(date +%m/%d/%Y) & Every 2 Days Thereafter"
row=$(row_of "$w" "Turn Off @ 11:15 PM On 12/20/2026 & Every 2 Days Thereafter")
click "$w" QPushButton Tomorrow
becomes "Turn Off @ 11:15 PM On $(date -d tomorrow +%m/%d/%Y) & Every 2 Days Thereafter"
click "$w" QPushButton Reset
now_or_a_minute_ago() { shows "Turn Off @ $(date +'%I:%M %p') Every Day" || shows "Turn Off @ $(date -d '1 minute ago' +'%I:%M %p') Every Day"; }
wait_map "the event reset to now" now_or_a_minute_ago

xdotool key ctrl+s
wait_until "the save" 10 is_active "$w"
click "$w" QPushButton "Repeat Counts..."
activate "Repeat Counts"
xdotool key Escape
wait_until "the sheet to go unchanged" 10 is_active "$w"
click "$w" QPushButton "Repeat Counts..."
activate "Repeat Counts"
xdotool key Down Return
wait_until "the new counts to mark the document" 10 is_active "$w*"

# Porch Light, Pool Pump and Vacation Lights switched on at half brightness, then off, last first.
click_row "$w" "Porch Light"
xdotool keydown ctrl mousemove $(select_text "$w" "Pool Pump") click 1 mousemove $(select_text "$w" "Vacation Lights") click 1 keyup ctrl
click "$w" QSlider ""
xdotool key End Left Left Left Left Left
click "$w" QPushButton On
click "$w" QPushButton Off
switched() { grep -o 'now .*' "$work/emulator.out" | tr '\n' '|'; }
wait_until "the six commands" 10 eval '[ "$(switched)" = "now C4 dim 50%|now B5 on|now A1 dim 50%|now C4 off|now B5 off|now A1 off|" ]'

click "$w" QPushButton "Send to CP290"
wait_until "the download to be remembered for the helper" 20 eval '[ -n "$(setting Modules)" ]'
xdotool key ctrl+q
discard_changes
expect_exit_status 0
