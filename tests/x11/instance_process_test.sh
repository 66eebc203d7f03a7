#!/usr/bin/env bash
# One instance per user and the companion agent, with real processes: a
# second start hands "activate" to the first (under Xvfb the first window
# comes to the top of the stack) and ends; "Off" is a plain second start;
# "OFF" closes the first, which saves its settings; "OFF" with none running
# ends at once and starts nothing; a socket left by a crash is taken over;
# two starts at the same moment leave one instance; the agent is started by
# the dictionary, outlives it, runs once, and ends on "close".
# Without Xvfb (or with LEXMORA_TEST_OFFSCREEN set) the window runs
# offscreen and the stacking check is left out.
#   instance_process_test.sh LEXMORA SAMPLE_FOLDER
set -u
# Under the sanitizer run, libxkbcommon-x11 (read by Qt's X11 connection)
# hands strndup strings that are not NUL-terminated, which strict string
# checks report as an overflow inside the system library; the window
# programs these tests start run without that one check.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}"
export ASAN_OPTIONS="${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}"
lexmora="$1"
sample="$2"
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }
[[ -e "$sample/lexagent" ]] || { echo "FAIL: no lexagent in $sample"; exit 1; }

work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}" $(pgrep -f "^$work/" 2>/dev/null); do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [[ -n "${LEXMORA_TEST_VERBOSE:-}" ]] && { cat "$work/log" "$conf"; ls -la "$work/run"; }; exit 1; }

# Nothing of the user's session is touched: sockets, settings, fonts, autostart.
mkdir -p "$work/run" "$work/tmp" "$work/home"
chmod 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp" HOME="$work/home"
export XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
cp -r "$sample" "$work/folder"
folder="$work/folder"
conf="$work/lex.conf"

x11=0
if [[ -z "${LEXMORA_TEST_OFFSCREEN:-}" ]] && command -v Xvfb >/dev/null && command -v xwininfo >/dev/null && command -v xlogo >/dev/null; then
  display=":$((200 + RANDOM % 100))"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
  export DISPLAY="$display"
  for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
  xwininfo -root >/dev/null 2>&1 && x11=1
fi
# The windows go to the X server when there is one, whatever platform the
# calling environment chose for its own tests.
if [[ $x11 == 1 ]]; then unset QT_QPA_PLATFORM; else export QT_QPA_PLATFORM=offscreen; fi
echo "display: $([[ $x11 == 1 ]] && echo "Xvfb $DISPLAY" || echo offscreen)"

uid="$(id -u)"
hash="$(printf '%s' "$conf" | sha1sum | cut -c1-12)"
instance_socket="$XDG_RUNTIME_DIR/VORNKELDALexmoraDictionary-$hash-$uid"
agent_socket="$XDG_RUNTIME_DIR/lexagent-$uid"

wait_for() {  # wait_for SECONDS COMMAND...: true once the command succeeds
  local tries=$(($1 * 10))
  shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
alive() { kill -0 "$1" 2>/dev/null; }
dead() { ! kill -0 "$1" 2>/dev/null; }
listening() {  # a listener answers on the socket
  python3 - "$1" <<'EOF' 2>/dev/null
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.close()
EOF
}
send() {  # send SOCKET REQUEST
  python3 - "$1" "$2" <<'EOF'
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.sendall(sys.argv[2].encode() + b"\n")
s.close()
EOF
}
agent_pids() { pgrep -f "^$folder/lexagent" 2>/dev/null; }
start() {  # start ARGS...: a dictionary in the background; its pid in $started
  "$lexmora" "$@" --dir "$folder" --settings "$conf" >>"$work/log" 2>&1 &
  started=$!
  pids+=("$started")
}
run_timed() {  # run_timed ARGS...: a start that must end within 5 s with 0
  local t0=$SECONDS
  timeout 10 "$lexmora" "$@" --dir "$folder" --settings "$conf" >>"$work/log" 2>&1
  local rc=$?
  [[ $rc == 0 ]] || fail "start [$*] ended with $rc"
  (( SECONDS - t0 <= 5 )) || fail "start [$*] took $((SECONDS - t0)) s"
}
top_is_lexmora() {  # the topmost mapped window is the dictionary's
  xwininfo -root -children | grep -E '^ +0x' | grep -v '(has no name)' | head -1 | grep -q Lexmora
}

# OFF with none running: ends at once, no instance, no agent.
run_timed OFF
[[ ! -e "$instance_socket" ]] || fail "an OFF start left an instance socket"
sleep 0.5
[[ -z "$(agent_pids)" && ! -e "$agent_socket" ]] || fail "an OFF start started the agent"

# The first instance starts the agent.
start --word kitab
first=$started
wait_for 20 listening "$instance_socket" || fail "the first instance does not listen"
wait_for 10 listening "$agent_socket" || fail "the agent was not started"
agent="$(agent_pids | head -1)"
[[ -n "$agent" ]] || fail "no agent process"

# A second start: the first comes forward, the second ends.
if [[ $x11 == 1 ]]; then
  wait_for 10 bash -c "xwininfo -root -children | grep -q Lexmora" || fail "no window"
  sleep 0.5
  xlogo -geometry 1000x740+0+0 & pids+=($!)
  wait_for 5 bash -c "xwininfo -root -children | grep -E '^ +0x' | head -1 | grep -q xlogo" || fail "no covering window"
  top_is_lexmora && fail "the covering window is not on top"
fi
run_timed
alive "$first" || fail "the first instance ended on a second start"
if [[ $x11 == 1 ]]; then
  wait_for 5 top_is_lexmora || fail "a second start left the first window behind"
fi
# A second agent start ends at once.
t0=$SECONDS
timeout 10 "$folder/lexagent" >/dev/null 2>&1 || fail "a second agent start failed"
(( SECONDS - t0 <= 5 )) || fail "a second agent start stayed"
[[ "$(agent_pids | wc -l)" == 1 ]] || fail "two agents run"

# "Off" differs in case: a plain second start.
run_timed Off
sleep 0.5
alive "$first" || fail "\"Off\" closed the first instance"

# OFF: the first closes through its exit and saves its settings (the word
# "kitab", five UTF-16 units, was not stored before); the agent stays.
grep -q '^CurrentBoxWordLen=5$' "$conf" && fail "the word was saved before the exit"
run_timed OFF
wait_for 15 dead "$first" || fail "OFF did not close the first instance"
wait "$first"
rc=$?
[[ $rc == 0 ]] || fail "the closed instance ended with $rc"
grep -q '^CurrentBoxWordLen=5$' "$conf" || fail "the closed instance did not save its input word"
ls "$folder/NOTEPADS/"*.npl >/dev/null 2>&1 || fail "the closed instance wrote no word list"
[[ ! -e "$instance_socket" ]] || fail "the closed instance left its socket"
sleep 0.5
alive "$agent" || fail "the agent ended with the dictionary"

# The agent ends on "close".
send "$agent_socket" close
wait_for 10 dead "$agent" || fail "the agent did not end on close"
[[ ! -e "$agent_socket" ]] || fail "the agent left its socket"

# A socket left by a crash is taken over.
python3 - "$instance_socket" <<'EOF'
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.close()
EOF
[[ -S "$instance_socket" ]] || fail "no stale socket made"
listening "$instance_socket" && fail "the stale socket answers"
start
first=$started
wait_for 20 listening "$instance_socket" || fail "the stale socket was not taken over"
run_timed
alive "$first" || fail "the instance on the taken-over socket ended"
run_timed OFF
wait_for 15 dead "$first" || fail "OFF did not close the instance on the taken-over socket"

# Two starts at the same moment: one instance stays, the other ends with 0.
start; a=$started
start; b=$started
wait_for 20 bash -c "! kill -0 $a 2>/dev/null || ! kill -0 $b 2>/dev/null" || fail "both simultaneous starts stay"
sleep 2
if alive "$a"; then stay=$a; gone=$b; else stay=$b; gone=$a; fi
alive "$stay" || fail "neither simultaneous start stayed"
wait "$gone"
rc=$?
[[ $rc == 0 ]] || fail "the simultaneous second start ended with $rc"
run_timed OFF
wait_for 15 dead "$stay" || fail "OFF did not close the simultaneous first"

for p in $(agent_pids); do kill "$p" 2>/dev/null; done
echo "PASS: second start, Off, OFF (settings and list written), OFF with none, stale socket, simultaneous starts, agent start/outlive/close"
