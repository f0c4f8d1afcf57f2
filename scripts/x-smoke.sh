#!/usr/bin/env bash
# The program under a real X server (Xvfb), driven by keys alone (xdotool):
# an entry made by the command line is started with Return, Return; five
# meteor-scatter contacts are typed (call, report sent, the own locator
# passed over, report received, locator); SIGTERM closes the program as
# "Schließen" does. The command line then has to show the five contacts
# with their reports and locators in the score and the QSO list.
#
# Usage: scripts/x-smoke.sh [PROGRAM]   (default build-check/src/app/tarvolt-mssprint)
set -euo pipefail
cd "$(dirname "$0")/.."
# A sanitizer build reports leaks of the libraries as the test command does.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}"
program="$(realpath "${1:-build-check/src/app/tarvolt-mssprint}")"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

fail() {
    echo "x-smoke: FAILED: $*" >&2
    exit 1
}

"$program" --data-dir "$dir" entry new --call DL9XYZ --locator JO62MM --category 2 --town "12345 Berlin" \
    --station "IC-9700, 500 W" --free-reports --yes >/dev/null || fail "entry new"

# call, report sent, report received, locator (the entry starts in CW)
contacts=(
    "DL1ABC 579 559 JO31AA"
    "OE1XYZ 559 579 JN88EE"
    "DK2AA 579 579 JO40AA"
    "DF9ZY 589 559 IO70AA"
    "DJ3XX 599 589 IN53AA"
)

export MSS_SMOKE_PROGRAM="$program" MSS_SMOKE_DIR="$dir"
export MSS_SMOKE_CONTACTS="$(printf '%s\n' "${contacts[@]}")"
timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    export QT_QPA_PLATFORM=xcb
    "$MSS_SMOKE_PROGRAM" --data-dir "$MSS_SMOKE_DIR" 2>"$MSS_SMOKE_DIR/stderr" &
    pid=$!
    # Waits for a window whose title matches and gives it the keyboard.
    focus() {
        local window
        window="$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | tail -1)" ||
            { echo "x-smoke: no window \"$1\"" >&2; kill "$pid"; exit 1; }
        xdotool windowfocus --sync "$window"
        sleep 0.5
    }
    focus "MSSprint"
    xdotool key Return
    focus "Contest-Konfiguration"
    xdotool key Return
    focus "Logbuch"
    while read -r call sent rcvd locator; do
        xdotool type --delay 40 "$call"
        xdotool key --delay 80 Return
        xdotool type --delay 40 "$sent"
        xdotool key --delay 80 Return Return
        xdotool type --delay 40 "$rcvd"
        xdotool key --delay 80 Return
        xdotool type --delay 40 "$locator"
        xdotool key --delay 80 Return
        sleep 0.3
    done <<<"$MSS_SMOKE_CONTACTS"
    kill -TERM "$pid"
    wait "$pid"
' || fail "the program under X (stderr: $(cat "$dir/stderr" 2>/dev/null))"

score="$("$program" --data-dir "$dir" score --entry 1)" || fail "score"
echo "$score" | grep -q "^contacts	5$" || fail "score does not show 5 contacts: $score"
# 509 + 536 + 445 + 1346 + 2003 km from JO62MM.
echo "$score" | grep -q "^points	4839$" || fail "score does not show 4839 points: $score"
"$program" --data-dir "$dir" write --entry 1 --kind all --out "$dir/smoke.ALL" >/dev/null ||
    fail "write --kind all"
lines=0
while read -r call sent rcvd locator; do
    # The E-Log line: call, band, mode, sent report and own locator, received
    # report and locator.
    grep -Eq " $call +2 +[A-Z0-9]+ +$sent +JO62MM +$rcvd +$locator " "$dir/smoke.ALL" ||
        fail "$call is not in the QSO list with its reports and locator:
$(cat "$dir/smoke.ALL")"
    lines=$((lines + 1))
done <<<"$MSS_SMOKE_CONTACTS"
echo "x-smoke: $lines contacts typed under X stored with their reports"
