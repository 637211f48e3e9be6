# tavorin-cli's completion in an interactive bash with bash-completion loaded, as a user's shell
# has it: each case sets the line as typed, asks the completion function, and checks what it
# offers and what it must not.
set -euo pipefail
source_dir=${TAVORIN_SOURCE:?the source folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/examples/inner" "$scratch/dev"
touch "$scratch/examples/house.cp290" "$scratch/examples/notes.txt" "$scratch/top.cp290"

cat >"$scratch/cases.bash" <<'CASES'
failures=0
# offers LINE WANTED... [-- UNWANTED...]: completes at the end of LINE.
offers() {
    local line=$1 wanted=() unwanted=() into=wanted item
    shift
    for item; do
        [ "$item" = -- ] && { into=unwanted; continue; }
        eval "$into+=(\"\$item\")"
    done
    COMP_LINE=$line
    COMP_POINT=${#line}
    # Words split as readline splits them, '=' a word of its own.
    local spaced=${line//=/ = }
    read -ra COMP_WORDS <<<"$spaced"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _tavorin_cli tavorin-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    local offered=" ${COMPREPLY[*]% } "
    for item in "${wanted[@]}"; do
        [[ $offered == *" $item "* ]] || { echo "FAILED: '$line' does not offer '$item': $offered"; failures=$((failures + 1)); }
    done
    for item in "${unwanted[@]}"; do
        [[ $offered == *" $item "* ]] && { echo "FAILED: '$line' offers '$item': $offered"; failures=$((failures + 1)); }
    done
    return 0
}
cd "$SCRATCH"
offers "tavorin-cli se" send set-clock self-test
offers "tavorin-cli send ex" examples -- examples/notes.txt
offers "tavorin-cli send examples/" examples/house.cp290 examples/inner -- examples/notes.txt
offers "tavorin-cli plan t" top.cp290
offers "tavorin-cli --device=$SCRATCH/dev/tty" "$SCRATCH/dev/ttyUSB7"
offers "tavorin-cli --device $SCRATCH/dev/tty" "$SCRATCH/dev/ttyUSB7"
offers "tavorin-cli on a" A1 A16 Alights -- Aall
offers "tavorin-cli off c" C3 Call -- Clights
offers "tavorin-cli on A1 " 1 5 9 -- A2 Alights
offers "tavorin-cli off A1 " -- A2 1
offers "tavorin-cli schedule --d" --days= --device= -- --date=
offers "tavorin-cli list --j" "--json"
offers "tavorin-cli help sc" schedule
offers "tavorin-cli base-house " A P -- A1
exit $failures
CASES

completion="$source_dir/resources/completion/tavorin-cli"
# The serial devices the completion lists, made visible through a folder of our own.
touch "$scratch/dev/ttyUSB7"
sed "s|/dev/serial/by-id/\* /dev/ttyUSB\* /dev/ttyACM\* /dev/ttyS\*|& $scratch/dev/tty*|" "$completion" >"$scratch/completion"
output=$(SCRATCH=$scratch HOME=$scratch bash --norc -i -c \
    '. /usr/share/bash-completion/bash_completion && . "$SCRATCH/completion" && . "$SCRATCH/cases.bash"' 2>&1) || {
    echo "$output" >&2
    exit 1
}
