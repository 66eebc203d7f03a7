#!/usr/bin/env bash
# Makes a StarDict form of Debian's FreeDict English-German dictionary
# (package dict-freedict-eng-deu) for the import benchmark: the dictd
# entries as a tab file (line breaks as \n), then stardict-tools' tabfile.
# (Its dictd2dic writes 64-bit fields into version 2.4.2 .idx files on
# 64-bit systems, which no reader takes, so it is not used.)
#
#   bench/prepare_stardict.sh [OUT_DIR]       (default: /tmp/lexmora-stardict)
set -euo pipefail
out="${1:-/tmp/lexmora-stardict}"
index="${FREEDICT_INDEX:-/usr/share/dictd/freedict-eng-deu.index}"
dict="${FREEDICT_DICT:-/usr/share/dictd/freedict-eng-deu.dict.dz}"
tabfile=/usr/lib/stardict-tools/tabfile
for f in "$index" "$dict" "$tabfile"; do
  [[ -r "$f" ]] || { echo "prepare_stardict.sh: $f is missing (apt-get install dict-freedict-eng-deu stardict-tools)" >&2; exit 1; }
done
mkdir -p "$out"
python3 - "$index" "$dict" "$out/freedict-eng-deu.txt" <<'PY'
import gzip, sys
B64 = {c: i for i, c in enumerate("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")}
def number(s):
    n = 0
    for c in s: n = n * 64 + B64[c]
    return n
data = gzip.open(sys.argv[2], "rb").read()
with open(sys.argv[1], encoding="utf-8") as index, open(sys.argv[3], "w", encoding="utf-8") as tab:
    for line in index:
        head, offset, length = line.rstrip("\n").rsplit("\t", 2)
        if head.startswith("00-database") or head.startswith("00database") or not head.strip():
            continue
        body = data[number(offset):number(offset) + number(length)].decode("utf-8", "replace").strip("\n")
        tab.write(head + "\t" + body.replace("\\", "\\\\").replace("\n", "\\n") + "\n")
PY
(cd "$out" && "$tabfile" freedict-eng-deu.txt >/dev/null 2>&1)
rm "$out/freedict-eng-deu.txt"
ls -l "$out"
