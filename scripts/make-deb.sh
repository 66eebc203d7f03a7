#!/usr/bin/env bash
# Builds the Debian package with CPack, installs it on this machine with apt,
# checks the installed programs on the installed program folder, runs lintian
# on the package and removes the package again.
#   scripts/make-deb.sh [BUILD_FOLDER]     (default: build-deb)
# A new build folder is configured without tests and benchmarks. Run as root
# (or with sudo); it installs and removes the package "lexmora".
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-deb}"
SUDO=""
[[ "$(id -u)" -ne 0 ]] && SUDO="sudo"

if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DLEXMORA_BUILD_TESTS=OFF -DLEXMORA_BUILD_BENCH=OFF
fi
cmake --build "$build" --target lexmora_installed -j"$(nproc)"
rm -f "$build"/lexmora_*.deb
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/lexmora_*.deb)"
echo "== package: $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== installing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
folder=/usr/lib/lexmora
status=0
check() { echo "-- $*"; "$@" || { echo "FAILED: $*"; status=1; }; }
check test -x "$folder/lexmora"
check test -x "$folder/lexagent"
check test -L /usr/bin/lexmora
check test -f /usr/share/applications/org.lexmora.Lexmora.desktop
check test -f /usr/share/icons/hicolor/256x256/apps/lexmora.png
check lexmora-cli --dir "$folder" groups --json
check lexmora-cli --dir "$folder" lookup 2 kitab --json
# The window program starts from the installed folder (offscreen, a picture)
# as a user who cannot write it: it runs on that user's own folder.
shot="$(mktemp -d)"
chmod 777 "$shot"
as_user=()
[[ "$(id -u)" -eq 0 ]] && as_user=(runuser -u nobody --)
check "${as_user[@]}" env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$shot" HOME="$shot" \
      timeout 60 lexmora --settings "$shot/lex.conf" --screenshot "$shot/window.png"
check test -s "$shot/window.png"
check test -L "$shot/.local/share/lexmora/DICT/vcl_ea.wif"
check test -f "$shot/.local/share/lexmora/groups.dgi"
cp "$shot/window.png" "$build/installed-window.png" 2>/dev/null || true
rm -rf "$shot"
if command -v appstreamcli >/dev/null; then
  check appstreamcli validate --no-net /usr/share/metainfo/org.lexmora.Lexmora.metainfo.xml
fi

echo "== lintian"
lintian_status=0
lintian --info "$deb" || lintian_status=$?

echo "== removing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y lexmora
echo "installed checks: $([[ $status == 0 ]] && echo passed || echo FAILED); lintian exit code: $lintian_status"
exit $(( status || lintian_status ))
