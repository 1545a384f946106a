#!/usr/bin/env bash
# Drives the help menu in a real terminal (a private tmux server): single key presses must act
# without Enter, and the terminal must get its line mode back after a quit and after Ctrl-C.
# Usage: run_help_tty.sh TOOL
set -u
source "$(dirname "$0")/../lib.sh"

tool=$1
require_executable "$tool"
tool=$(realpath "$tool")
command -v tmux >/dev/null || { echo "FAIL: tmux not found; install the Debian package tmux (.ci/run does)"; exit 1; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/help_tty.XXXXXX") || exit 1
# Each run gets a server of its own: a server that was just told to stop may still hold its
# socket while the next one starts.
runs=0
socket=
tmx() { tmux -S "$socket" "$@"; }
stop_servers() {
    local s
    for s in "$scratch"/tmux*.sock; do
        [[ -S $s ]] && tmux -S "$s" kill-server 2>/dev/null
    done
}
trap 'stop_servers; rm -rf "$scratch"' EXIT

screen() { tmx capture-pane -p -t help -S -200; }

# Waits until the pane shows text matching the extended pattern (tmux drops trailing blanks);
# fails, naming what never came, after thirty seconds or as soon as the tool has ended
# without it.
wait_for() {
    local pattern=$1 what=$2 shown tries
    for ((tries = 0; tries < 300; tries++)); do
        shown=$(screen)
        if grep -Eq -- "$pattern" <<<"$shown"; then return 0; fi
        if grep -Eq -- "$ended" <<<"$shown"; then break; fi
        sleep 0.1
    done
    if ((tries < 300)); then
        problem "$what: the tool ended without the screen showing /$pattern/"
    else
        problem "$what: the screen never showed /$pattern/ within 30 s"
    fi
    echo "----- screen -----"
    screen
    echo "------------------"
    return 1
}

# After the tool ends, the pane reports its status and whether the terminal is in line mode,
# both on one line of its own printed at once: the test waits for that line and only then
# reads it.
# The pane's shell catches SIGINT itself (so it survives Ctrl-C), which leaves the tool the
# default disposition.
cat >"$scratch/pane.sh" <<PANE
trap 'true' INT
cd '$scratch' || exit 1
'$tool'
status=\$?
mode=\$(stty -a | grep -Eo -- '(^| )-?icanon' | tr -d ' ')
printf '\nended: status=%s mode=%s\n' "\$status" "\${mode:-unknown}"
sleep 60
PANE
start() {
    [[ -n $socket ]] && tmx kill-server 2>/dev/null
    runs=$((runs + 1))
    socket=$scratch/tmux$runs.sock
    tmx new -d -s help -x 120 -y 50 "bash '$scratch/pane.sh'"
}

prompt='Please choose \(\?, 1, 2, 3, 4, 5, V, Enter, Q\): ?'
ended='^ended: status=[0-9]+ mode=(-?icanon|unknown)$'

# One key each, no Enter: 1 shows the syntax page, 5 the first keyword page, q leaves the
# browser, q quits with status 0 and the terminal is back in line mode.
start
wait_for "$prompt\$" "menu prompt" &&
    tmx send-keys -t help 1 &&
    wait_for '^Syntax: Propwright <source_file>' "syntax page after the key 1" &&
    tmx send-keys -t help 5 &&
    wait_for 'Q = Quit tokens: ?$' "keyword page after the key 5" &&
    wait_for '^data +read *$' "first keyword line" &&
    tmx send-keys -t help q &&
    wait_for "tokens: q$" "browser left" &&
    wait_for "$prompt\$" "menu prompt after the browser" &&
    tmx send-keys -t help q &&
    wait_for "$ended" "tool ended after q" &&
    { screen | grep -Eq '^ended: status=0 ' || problem "quit did not end with status 0"; } &&
    { screen | grep -Eq ' mode=icanon$' || problem "terminal not back in line mode after quit"; }

# Ctrl-C at the prompt ends the tool by the signal, and the terminal mode is still restored.
start
wait_for "$prompt\$" "menu prompt (second run)" &&
    tmx send-keys -t help C-c &&
    wait_for "$ended" "tool ended after Ctrl-C" &&
    { screen | grep -Eq '^ended: status=130 ' || problem "Ctrl-C did not end the tool by SIGINT"; } &&
    { screen | grep -Eq ' mode=icanon$' || problem "terminal not back in line mode after Ctrl-C"; }

finish "" PASS
