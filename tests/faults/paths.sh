# The paths the refusal sweep drives, with real keys on the session's
# display, and how a run of one is judged. Sourced by tools/faults.sh after
# tests/windows.sh. Every wait is for an event (a window, a line of the
# injector's log), never a fixed time, and gives up when the program has
# gone: a refusal may end it anywhere.

PATHS="${FAULTS_PATHS:-none p s c-cancel c-ok}"
# The order in which OK writes the nine values.
SAVE_ORDER="ende text fontname fontsize fontcolor backgroundcolor workweek fontbold fontitalic"
STORE_MESSAGES="Ungültiger Datentyp für|Fehler beim Holen der Daten für|Fehler beim Setzen der Daten für"
TIMER_MESSAGE="Nicht genügend Timer verfügbar"

path_arguments() {
    case $1 in
    s) echo /s ;;
    c-ok | c-cancel) echo /c ;;
    p) echo /p 1234 ;;
    none) ;;
    esac
}

# --- Waiting for what the program shows --------------------------------------

# The run's state, for the waits: its log and the launcher's process.
run_log=
run_pid=
# The boxes answered before the last key: one more after it means the key's
# handler failed, and what it would have opened will not come.
pressed_boxes=0

# Each step of the path, into the run's own trace (and to the terminal
# with FAULTS_TRACE): where a run went astray.
trace() {
    local line
    line="$(date +%T.%N | cut -c1-12) $*"
    echo "$line" >>"$run_log.steps"
    [[ -z ${FAULTS_TRACE:-} ]] || echo "$line" >&2
}
running() { kill -0 "$run_pid" 2>/dev/null && ! grep -q '^end$' "$run_log"; }
boxes_closed() { grep -c '^box-closed$' "$run_log"; }
boxes_open() { (($(grep -c '^box ' "$run_log") > $(boxes_closed))); }
visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1; }
shown() { [[ -n $(visible_window "$1") ]]; }
ticks() { (($(grep -c '^tick$' "$run_log") >= $1)); }
focused_on() { [[ $(xdotool getwindowfocus getwindowname 2>/dev/null) == "$1" ]]; }

# Answers every message box the program shows with Enter, once it has the
# keyboard; a box still without it after half a second gets it, as a click
# would give it: the newest window of the box's caption (the application
# window shares the caption "Quorbel").
settle() {
    local caption polls=0 box
    while running && boxes_open; do
        caption=$(grep '^box ' "$run_log" | tail -n 1 | cut -f1 | cut -c5-)
        if focused_on "$caption"; then
            xdotool key Return
            for _ in $(seq 100); do boxes_open || break; sleep 0.01; done
        elif ((++polls % 25 == 0)); then
            box=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | sort -n | tail -n 1)
            [[ -z $box ]] || xdotool windowfocus --sync "$box" 2>/dev/null || true
        fi
        sleep 0.02
    done
}

# until_true CONDITION...: up to 5 seconds, boxes answered meanwhile; fails
# when the program has gone or the time is up.
until_true() {
    trace "until $*"
    for _ in $(seq 250); do
        settle
        "$@" && return 0
        running || return 1
        sleep 0.02
    done
    return 1
}

returned() { grep -q "^returned $1" "$run_log"; }

# await TITLE [FUNCTION]: up to 3 seconds for the window that the last key
# opens to show; fails at once when instead a box was answered and the
# settings dialog has the keyboard again, or FUNCTION, the dialog's own, has
# returned (refused before it showed).
await() {
    trace "await $1"
    for _ in $(seq 150); do
        settle
        shown "$1" && return 0
        running || return 1
        (($(boxes_closed) > pressed_boxes)) && focused_on 'Quorbel konfigurieren' && return 1
        [[ -n ${2:-} ]] && returned "$2" && return 1
        sleep 0.02
    done
    return 1
}

press() {
    trace "press $*"
    settle
    pressed_boxes=$(boxes_closed)
    running && xdotool key --delay 5 "$@"
}

# press_in WINDOW KEYS...: the keys typed into that window, which gets the
# keyboard first, as a click on it would give it: a refused activation, or
# the box of a creation handler, may have left the keyboard elsewhere.
press_in() {
    local window
    trace "press in $1: ${*:2}"
    settle
    pressed_boxes=$(boxes_closed)
    window=$(visible_window "$1")
    [[ -n $window ]] && running || return 0
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    (($# < 2)) || xdotool key --delay 5 "${@:2}"
}

# Clicks at a point of a window's client area, given in design pixels; the
# frame is what the X window has around the design's client size.
click_in() {
    local window=$1 client_width=$2 client_height=$3 x=$4 y=$5 width height border top
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH height=$HEIGHT
    border=$(((width - client_width) / 2))
    top=$((height - client_height - border))
    xdotool mousemove --window "$window" $((border + x)) $((top + y)) click 1
}

# --- The paths ---------------------------------------------------------------

# Start, two ticks, a key. The key goes to the saver's window, as the
# e2e suite's do: after a box of its creation the session's X focus may
# rest elsewhere, where Windows would give it back to the full-screen window.
drive_s() {
    until_true shown Bildschirmschoner || return 0
    until_true ticks 2 || return 0
    press_in Bildschirmschoner space
}

# The settings dialog, shown and with the keyboard.
open_dialog() {
    until_true shown 'Quorbel konfigurieren' || return 1
    focused_on 'Quorbel konfigurieren' || press_in 'Quorbel konfigurieren'
}

# The settings dialog: the text typed, the calendar box opened and closed,
# the font dialog cancelled, the colour dialog confirmed, About opened with
# both links pressed and closed, then OK.
drive_c_ok() {
    local about dialog='Quorbel konfigurieren'
    open_dialog || return 0
    press Tab Tab Tab Tab Tab # from OK round to the text field
    settle
    running && xdotool type --delay 5 'Probe %days%'
    # The box is a child window: its keys wait in the queue behind the click.
    press shift+Tab shift+Tab space Tab Return # "Schließen", the default button
    # Each key goes into the window it is meant for: Wine may hand the
    # keyboard back to the dialog only after a common dialog has gone.
    press_in "$dialog" alt+s
    await Schriftart ChooseFont && press_in Schriftart Escape
    until_true returned ChooseFont || true
    press_in "$dialog" alt+f
    await Farbe ChooseColor && press_in Farbe Return
    until_true returned ChooseColor || true
    press_in "$dialog" alt+i
    if await Info; then
        about=$(visible_window Info)
        click_in "$about" 385 201 224 123 # the e-mail link
        settle
        click_in "$about" 385 201 224 145 # the home page
        press_in Info alt+s
    fi
    press_in "$dialog" alt+o
}

drive_c_cancel() {
    open_dialog || return 0
    press alt+a
}

# Closes a dialog of the path still open: a step that timed out leaves the
# keys of the next ones in the wrong window.
close_strays() {
    local title
    for title in Schriftart Farbe; do
        shown "$title" && press_in "$title" Escape
    done
    shown Info && press_in Info alt+s
    return 0
}

# The key that ends a path, pressed again while the program stays open
# without a box: a refusal may have cost the first one (a box that took it).
final_key() {
    case $1 in
    s) press_in Bildschirmschoner space ;;
    # Escape first: keys that went astray may have left the date field with
    # a year half typed, whose check would rightly stop OK.
    c-ok) close_strays && press_in 'Quorbel konfigurieren' Escape alt+o ;;
    c-cancel) close_strays && press_in 'Quorbel konfigurieren' alt+a ;;
    esac
}

# drive PATH LOG PID: plays the path's keys; then answers boxes until the
# program ends, repeating the last key each second, three times at most.
drive() {
    run_log=$2 run_pid=$3 pressed_boxes=0
    case $1 in
    s) drive_s ;;
    c-ok) drive_c_ok ;;
    c-cancel) drive_c_cancel ;;
    esac
    local polls=0 repeats=0
    while running; do
        settle
        if ((++polls % 50 == 0 && repeats < 3)); then
            repeats=$((repeats + 1))
            final_key "$1"
        fi
        sleep 0.02
    done
}

# --- Judging a run -------------------------------------------------------------

# What the user saw: the kinds of box, in order, or "none".
seen_in() {
    awk -F'\t' -v store="$STORE_MESSAGES" -v timer="$TIMER_MESSAGE" '
        /^box / {
            caption = substr($1, 5)
            if (caption == "Anwendungsfehler")
                kind = index($2, timer) ? "timer" : "app-error"
            else if (caption == "Quorbel")
                kind = $2 ~ "^(" store ")" ? "store" : "error-box"
            else
                kind = "other-box"
            if (!(kind in seen)) { seen[kind]; list = list (list ? "+" : "") kind }
        }
        END { print list ? list : "none" }' "$1"
}

# The value a store message names as not written, if any.
unwritten_value() {
    sed -n "s/^box Quorbel\tFehler beim Setzen der Daten für '\([a-z]*\)'.*/\1/p" "$1" | head -n 1
}

value_of() { tr ';' '\n' <<<"$2" | sed -n "s/^$1=//p"; }

# Every one of the nine as OK writes it, whatever the value: a string for
# the texts, 0 or 1 for the flags (the seed holds other numbers there).
all_rewritten() {
    local name value
    for name in $SAVE_ORDER; do
        value=$(value_of "$name" "$1")
        case $name in
        ende | text | fontname) [[ $value == sz:* ]] || return 1 ;;
        workweek | fontbold | fontitalic) [[ $value == dword:[01] ]] || return 1 ;;
        *) [[ $value == dword:* ]] || return 1 ;;
        esac
    done
}

# kept (as seeded), saved (as a run without refusals saves), saved-before-V
# (the values before V new, V and those after it as seeded), rewritten
# (all nine written, with other values), or changed.
settings_state() {
    local path=$1 after=$2 unwritten=$3 seed expected name written=1
    seed=$(cat "$out/expected-none")
    expected=$(cat "$out/expected-$path")
    [[ $after == "$seed" ]] && { echo kept; return; }
    [[ $after == "$expected" ]] && { echo saved; return; }
    [[ -z $unwritten ]] && all_rewritten "$after" && { echo rewritten; return; }
    [[ -n $unwritten ]] || { echo changed; return; }
    for name in $SAVE_ORDER; do
        [[ $name == "$unwritten" ]] && written=0
        if ((written)); then
            [[ $(value_of "$name" "$after") == "$(value_of "$name" "$expected")" ]] || { echo changed; return; }
        else
            [[ $(value_of "$name" "$after") == "$(value_of "$name" "$seed")" ]] || { echo changed; return; }
        fi
    done
    echo "saved-before-$unwritten"
}

allowed_for() {
    [[ $1 == - ]] && { echo quiet; return; }
    awk -F'\t' -v f="$1" '$2 == f { print $5 }' "$out/table.tsv"
}

# Each kind of box seen is one the row allows; "none" needs "quiet".
seen_allowed() {
    local seen=$1 allowed=$2 kind
    [[ $allowed == any ]] && return 0
    [[ $allowed == sound ]] && allowed=quiet,error-box,app-error
    [[ $seen == none ]] && { [[ ,$allowed, == *,quiet,* ]]; return; }
    for kind in ${seen//+/ }; do
        [[ ,$allowed, == *,$kind,* ]] || return 1
    done
}

# classify PATH FUNCTION INDEX LOG RESULT: one line,
#   PATH FUNCTION INDEX exit=E seen=S taskbar=T settings=V VERDICT
# VERDICT is "sound", or what was wrong, joined by "+".
classify() {
    local path=$1 function=$2 index=$3 log=$4 result=$5 code seen taskbar after state
    local wrong=()
    mkdir -p "$out/unsound"
    code=$(sed -n 's/^exit //p' "$result")
    taskbar=$(sed -n 's/^taskbar //p' "$result")
    after=$(sed -n 's/^settings //p' "$result")
    seen=$(seen_in "$log")
    state=$(settings_state "$path" "$after" "$(unwritten_value "$log")")
    [[ -z $code ]] && code=none
    case $code in
    0 | 1) ;;
    hung) wrong+=(hung) ;;
    none) wrong+=(no-report) ;; # the launcher's own failure, not the program's
    *) wrong+=(crashed) ;;
    esac
    [[ $taskbar == shown ]] || wrong+=(taskbar-hidden)
    if [[ $path == c-ok ]]; then
        # OK saved what the dialog showed, or a box said what went wrong (a
        # failed load leaves the dialog's designed contents, which OK saves);
        # a quiet end with other values or none saved lost the user's.
        [[ $state == saved* || ($state =~ ^(kept|rewritten)$ && $seen != none) ]] ||
            wrong+=("settings-$state")
    else
        [[ $state == kept ]] || wrong+=("settings-$state")
    fi
    seen_allowed "$seen" "$(allowed_for "$function")" || wrong+=(not-allowed)
    [[ $code != 1 || $seen == *app-error* || $seen == *timer* || $function == MessageBox* ]] ||
        wrong+=(exit-1-unexplained)
    [[ $code != 0 || ($seen != *app-error* && $seen != *timer*) ]] || wrong+=(exit-0-after-app-error)
    grep -q '^uncovered' "$log" && wrong+=(uncovered)
    local verdict=sound
    ((${#wrong[@]})) && verdict=$(IFS=+; echo "${wrong[*]}")
    echo "$path $function $index exit=$code seen=$seen taskbar=$taskbar settings=$state $verdict"
    # The injector's log, the steps and the launcher's report of each run
    # that was not sound, for the findings.
    if [[ $verdict != sound ]]; then
        local name=$out/unsound/$path-$function-$index
        cp "$log" "$name.log"
        cp "$log.steps" "$name.steps" 2>/dev/null || true
        cp "$result" "$name.out"
    fi
}
