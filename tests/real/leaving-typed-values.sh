# Every typed field and cell of the window and the editor, typed into and left unfinished (no Tab,
# no Return), by each way a person leaves it: Ctrl+S, a click on another row, Ctrl+Z, Edit > Undo,
# Send to CP290, Ctrl+W and Ctrl+Q. What was typed is in the saved file (Ctrl+S, the click, Send),
# or taken back with the window showing what the file holds (Ctrl+Z, Edit > Undo), or the close
# question comes (Ctrl+W, Ctrl+Q; answered Cancel, the save after it keeps what was typed).
. "$(dirname "$0")/session.sh"
start_display
returning_user
start_emulator
w=house.cp290
vacation="Turn On @ 07:15 PM On 12/20/2026 & Every 2 Days Thereafter"
# What is typed where: kind|row|typed|what the file holds after it|what it held before.
fields=(
    "Time|Turn Off @ 11:30 PM Every Day|7:10p|Turn Off @ 07:10 PM Every Day|Turn Off @ 11:30 PM Every Day"
    "Offset|Turn On @ Sunset Every Day|0:40|Turn On @ Sunset+00:40 Every Day|Turn On @ Sunset Every Day"
    "Date|$vacation|12/24/2026|Turn On @ 07:15 PM On 12/24/2026 & Every 2 Days Thereafter|$vacation"
    "Text|Turn Off @ 10:45 PM On .MTWTF.|turn off @ 10:50 pm|Turn Off @ 10:50 PM On .MTWTF.|Turn Off @ 10:45 PM On .MTWTF."
    "Name|Bedroom Lamp|Guest Room|"$'A\t3\tLight\tGuest Room'"|"$'A\t3\tLight\tBedroom Lamp'
    "House|Everything Off|c|"$'C\tAll Modules\t\tEverything Off'"|"$'A\tAll Modules\t\tEverything Off'
    "Unit|Pool Pump|7|"$'B\t7\tAppliance\tPool Pump'"|"$'B\t5\tAppliance\tPool Pump'
)

saved() { "$build/tavorin-cli" describe "$HOME/$w"; }
save() { xdotool key ctrl+s; wait_until "the save" 10 is_active "$w"; }
asked() { activate "Save changes?"; click "Save changes?" QPushButton Cancel; wait_until "the question to go" 10 no_window "Save changes?"; }
# Types into a field or cell and leaves it unfinished: type_in KIND ROW TEXT.
type_in() {
    click_row "$w" "$2"
    case $1 in
        Time | Date) click "$w" ClockField "$1" ;;
        Offset) click "$w" QLineEdit Offset ;;
        Text | Name) click "$w" QPushButton Edit ;;
        House) click "$w" QPushButton Edit; xdotool key Tab ;;
        Unit) click "$w" QPushButton Edit; xdotool key Tab Tab ;;
    esac
    xdotool key ctrl+a
    xdotool type --delay 15 "$3"
}
leave() {
    case $1 in
        ctrl+s) save ;;
        click) click_row "$w" "Living Room Lamp"; save ;;
        ctrl+z) xdotool key ctrl+z; save ;;
        menu-undo) menu alt+e; xdotool key u; save ;;
        send) click "$w" QPushButton "Send to CP290"; wait_until "the download" 20 eval '[ -n "$(setting Modules)" ]'
              sed -i '/^Modules=/d' "$settings"; save ;;
        ctrl+w | ctrl+q) xdotool key "$1"; asked; save ;;
    esac
}

for way in ctrl+s click ctrl+z menu-undo send ctrl+w ctrl+q; do
    copy_sample house.cp290
    start_on "$HOME/$w"
    click "$w" QPushButton "Show Event Editor"
    for module in "Vacation Lights"; do click_row "$w" "$module"; xdotool key Right; done
    wait_map "the vacation lights open" row_selected "$w" "Vacation Lights"
    for field in "${fields[@]}"; do
        IFS='|' read -r kind row typed after before <<<"$field"
        type_in "$kind" "$row" "$typed"
        leave "$way"
        case $way in ctrl+z | menu-undo) expected=$before ;; *) expected=$after ;; esac
        saved | grep -qF -- "$expected" || fail "$kind left by $way: the file does not hold \"$expected\": $(saved)"
        refresh_map
        case $kind in Name | House | Unit) shown=${expected##*$'\t'} ;; *) shown=$expected ;; esac
        echo "|$(rows "$w")" | grep -qF "|$shown|" || fail "$kind left by $way: the window does not show \"$shown\""
    done
    quit_cleanly
done
