#!/usr/bin/env bash
# Debian's dict client against lexmora-dictd on the sample folder: a
# definition, MATCH with the prefix, re and suggest strategies, the lists of
# databases and strategies, the server information, an Azeri and a Russian
# headword in UTF-8; then SIGTERM ends the server with exit status 0.
# The dict client sends its first commands without waiting for the banner,
# so every call here also goes through that path.
#   dict_client_test.sh LEXMORA_DICTD SAMPLE_FOLDER
set -u
server="$1"
sample="$2"
command -v dict >/dev/null || { echo "SKIP: dict is not installed (apt-get install dict)"; exit 77; }
[[ -e "$sample/groups.dgi" ]] || { echo "FAIL: no sample folder at $sample"; exit 1; }

work="$(mktemp -d)"
pid=""
cleanup() {
  [[ -n "$pid" ]] && kill -9 "$pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$server" --dir "$sample" --listen 127.0.0.1:0 >"$work/out" 2>"$work/err" &
pid=$!
port=""
for _ in $(seq 100); do
  port="$(sed -n 's/^lexmora-dictd: listening on 127\.0\.0\.1:\([0-9][0-9]*\)$/\1/p' "$work/out")"
  [[ -n "$port" ]] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
[[ -n "$port" ]] || { echo "FAIL: the server did not start"; cat "$work/out" "$work/err"; exit 1; }
echo "server on port $port"

failures=0
# expect NAME 'TEXT1;TEXT2;...' DICT_ARGS...: dict exits with 0 and prints
# every text.
expect() {
  local name="$1" texts="$2"
  shift 2
  local out rc missing=""
  out="$(timeout 10 dict -h 127.0.0.1 -p "$port" "$@" 2>&1)"
  rc=$?
  IFS=';' read -ra wanted <<<"$texts"
  for t in "${wanted[@]}"; do
    grep -qF -- "$t" <<<"$out" || missing+=" '$t'"
  done
  if [[ $rc -ne 0 || -n "$missing" ]]; then
    echo "FAIL: $name: dict $* exited with $rc, missing:${missing:- nothing}"
    sed 's/^/    | /' <<<"$out"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

expect "define" "pul əməliyyatları aparan maliyyə müəssisəsi;çayın sahilində;vcl_ea" -d vcl_ea bank
expect "match prefix" "bank 1;bank 2" -d vcl_ea -m -s prefix ban
expect "match re" "bank 1;book" -d vcl_ea -m -s re '^b[ao][no]k'
expect "match suggest" "şəhər" -d vcl_ae -m -s suggest seher
expect "databases" "vcl_ea;vcl_ae;vcl_da;vcl_fa;vcl_ra;vcl_ar" -D
expect "strategies" "exact;prefix;nearest;suggest;substring;suffix;re;lev;fulltext" -S
expect "server information" "lexmora" -I
expect "Azeri headword" "city, town" -d vcl_ae şəhər
expect "Russian headword" "avtobus" -d vcl_ra автобус
expect "all databases" "vcl_ae;city, town;vcl_ar;город" şəhər

kill -TERM "$pid"
status=""
for _ in $(seq 50); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    status=$?
    break
  fi
  sleep 0.1
done
if [[ "$status" != 0 ]]; then
  echo "FAIL: SIGTERM: the server ${status:+exited with $status}${status:-still runs after 5 s}"
  failures=$((failures + 1))
else
  echo "ok: SIGTERM ends the server"
fi
pid=""

if ((failures)); then
  echo "$failures of 11 checks failed"
  [[ -s "$work/err" ]] && { echo "server's stderr:"; cat "$work/err"; }
  exit 1
fi
echo "all 11 checks passed"
