#!/usr/bin/env bash
# How a desktop ends the program, with a real X server and an open audio
# device (SDL's dummy driver): SIGTERM and SIGINT end the window within two
# seconds through its normal exit, which writes the settings and every
# group's list file; a mark made with a right click is in its group's list
# file within two seconds, so a SIGKILL three seconds later keeps it. The
# companion agent ends on SIGTERM too.
#   exit_signals_x11_test.sh LEXMORA LEXMORA_CLI SAMPLE_FOLDER
set -u
# Under the sanitizer run, libxkbcommon-x11 (read by Qt's X11 connection)
# hands strndup strings that are not NUL-terminated, which strict string
# checks report as an overflow inside the system library; the window
# programs these tests start run without that one check.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}"
export ASAN_OPTIONS="${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}"
lexmora="$1"
cli="$2"
sample="$3"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work="$(mktemp -d)"
display=":$((300 + RANDOM % 100))"
app=""
cleanup() {
  kill -9 $app "$xserver" $(pgrep -f "^$work/") 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [[ -n "${LEXMORA_TEST_VERBOSE:-}" ]] && cat "$work"/*.log; exit 1; }
Xvfb "$display" -screen 0 1100x800x24 -nolisten tcp >/dev/null 2>&1 & xserver=$!
mkdir -p "$work/run" "$work/home"
chmod 700 "$work/run"
export DISPLAY="$display" XDG_RUNTIME_DIR="$work/run" HOME="$work/home" SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM  # the window goes to this X server, not offscreen
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

window=""
start() {  # start NAME: a fresh folder and settings file, the window up
  cp -r "$sample" "$work/$1"
  "$lexmora" --dir "$work/$1" --settings "$work/$1.conf" --group 2 --word kitab >"$work/$1.log" 2>&1 &
  app=$!
  window=""
  # A first start in a fresh home folder (fonts to register) under the
  # sanitizers takes a while.
  for _ in $(seq 300); do
    window="$(xdotool search --onlyvisible --name Lexmora 2>/dev/null | head -1)"
    [[ -n "$window" ]] && break
    sleep 0.2
  done
  [[ -n "$window" ]] || fail "$1: no window"
  sleep 1.2  # the splash's second
}
ends_within() {  # ends_within SECONDS: true when the window's process has gone
  for _ in $(seq $(($1 * 20))); do
    kill -0 "$app" 2>/dev/null || { wait "$app"; status=$?; return 0; }
    sleep 0.05
  done
  return 1
}

for sig in TERM INT; do
  start "$sig"
  kill -s "$sig" "$app"
  ends_within 2 || fail "SIG$sig: still running 2 s later"
  [[ $status == 0 ]] || fail "SIG$sig: exit status $status"
  grep -q '^CurrentLangGroup=2' "$work/$sig.conf" || fail "SIG$sig: the settings were not written"
  ls "$work/$sig/NOTEPADS/"*.npl >/dev/null 2>&1 || fail "SIG$sig: no list file written"
  echo "SIG$sig: ended with status 0, settings and list files written"
done

# The agent the first window started ends on SIGTERM as through its menu:
# its socket goes with it.
agent="$(pgrep -f "^$work/TERM/lexagent" | head -1)"
socket="$XDG_RUNTIME_DIR/lexagent-$(id -u)"
[[ -n "$agent" && -S "$socket" ]] || fail "the window started no agent"
kill -TERM "$agent"
for _ in $(seq 40); do kill -0 "$agent" 2>/dev/null || break; sleep 0.05; done
kill -0 "$agent" 2>/dev/null && fail "the agent still runs 2 s after SIGTERM"
[[ -e "$socket" ]] && fail "the agent left its socket behind"
echo "agent: ended on SIGTERM, socket removed"

start KILL
before="$("$cli" --dir "$work/KILL" marks 2 --json)"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 60)) $((Y + HEIGHT / 2)) click 3
sleep 3
kill -9 "$app"
wait "$app" 2>/dev/null
after="$("$cli" --dir "$work/KILL" marks 2 --json)"
[[ "$before" == *'"marks":[]'* ]] || fail "the list had marks before the click: $before"
[[ "$after" == *'"value":1'* ]] || fail "the right click's mark was lost by SIGKILL: $after"
echo "SIGKILL 3 s after a right click: the list file holds $after"
