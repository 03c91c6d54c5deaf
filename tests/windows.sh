# Sourced by the scripts that drive the real program on the session's
# display.

# wait_for_window TITLE [PID]: prints the X window of the top-level window
# with exactly that title once it is on the screen (Wine may make it well
# before it shows it); fails after WAIT_SECONDS (20), or at once when the
# process PID has ended without it.
wait_for_window() {
    local window
    for _ in $(seq $((${WAIT_SECONDS:-20} * 50))); do
        window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) &&
            [[ -n $window ]] && { echo "$window"; return 0; }
        [[ -n ${2:-} ]] && ! kill -0 "$2" 2>/dev/null && break
        sleep 0.02
    done
    echo "FAIL: no window '$1'" >&2
    return 1
}

# Runs one Windows program of the session: run PROGRAM ARGS...
run=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-exec.sh

fail() {
    echo "FAIL: $*"
    exit 1
}

# finished PID SECONDS: waits for a process; its exit code, or 124.
finished() {
    for _ in $(seq "$(($2 * 10))"); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
        sleep 0.1
    done
    return 124
}

# ends_well PID WHAT: the process ends within ten seconds, with exit code 0.
ends_well() {
    local code=0
    finished "$1" 10 || code=$?
    ((code != 124)) || fail "$2 did not end"
    ((code == 0)) || fail "$2 ended with exit code $code"
}
