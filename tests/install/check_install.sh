#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what landed there: the files, the desktop
# files by their validators (when installed), the manual page, and that the installed programs run
# and keep their settings in the user's folders.
# check_install.sh BUILD_DIR GUI(1|0)
set -euo pipefail
build=$1
gui=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
fail() { echo "FEHLER: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=de.kassotek.Kassotek
expected=(bin/kassotek-tool share/man/man1/kassotek-tool.1)
if [ "$gui" = 1 ]; then
  expected+=(bin/kassotek share/man/man1/kassotek.1 share/kassotek/help/index.html share/kassotek/help/303.html
             share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml
             share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png
             share/icons/hicolor/256x256/apps/$id.png)
fi
for f in "${expected[@]}"; do
  [ -s "$prefix/$f" ] || fail "$f fehlt nach der Installation"
done
[ -x "$prefix/bin/kassotek-tool" ] || fail "kassotek-tool ist nicht ausführbar"

# The installed tool answers; its manual page lists every command of its --help and renders cleanly.
help=$("$prefix/bin/kassotek-tool" --help)
grep -q '^Aufruf: kassotek-tool' <<<"$help" || fail "kassotek-tool --help: $help"
page=$prefix/share/man/man1/kassotek-tool.1
for name in $(sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$help"); do
  grep -q "^\\\\fB$name\\\\fR" "$page" || fail "Befehl $name fehlt in kassotek-tool.1"
done
if command -v groff >/dev/null; then
  for p in "$prefix"/share/man/man1/*.1; do
    warnings=$(groff -man -Tutf8 -K utf8 -ww -z "$p" 2>&1)
    [ -z "$warnings" ] || fail "$p: $warnings"
  done
fi

# Installed, the tool reads and writes the settings in the user's folder even where bin is writable.
env -u KASSOTEK_PROGRAM_DIR XDG_CONFIG_HOME="$root/config" "$prefix/bin/kassotek-tool" settings --write >/dev/null
[ -f "$root/config/kassotek/Kassotek.INI" ] || fail "Kassotek.INI nicht im Benutzerordner"
[ ! -e "$prefix/bin/Kassotek.INI" ] || fail "Kassotek.INI im Programmordner"

[ "$gui" = 1 ] || exit 0

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop"
else
  echo "desktop-file-validate fehlt: übersprungen"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
else
  echo "appstreamcli fehlt: übersprungen"
fi
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" 2>/dev/null
  # Patterns without the flag "cs" match either letter case.
  for ext in vd6 vd5 vd4 vd3 vd2 vd1 vdt; do
    grep -q "^50:application/x-kassotek:\*\.$ext$" "$prefix/share/mime/globs2" || fail "Muster *.$ext fehlt"
  done
  grep -aq 'Kassotek2\.' "$prefix/share/mime/magic" || fail "Kennung Kassotek2. fehlt"
fi

# The installed program starts, ends by itself (KASSOTEK_SCREENSHOT) and uses the user's folders.
mkdir -m 0700 "$root/run"
env -u KASSOTEK_PROGRAM_DIR QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$root/config" \
  XDG_STATE_HOME="$root/state" XDG_RUNTIME_DIR="$root/run" KASSOTEK_SCREENSHOT="$root/shot.png" \
  timeout 120 "$prefix/bin/kassotek" 2>"$root/stderr" || { cat "$root/stderr"; fail "kassotek endete mit Fehler"; }
[ -s "$root/shot.png" ] || fail "kein Bildschirmfoto des installierten Programms"
[ -s "$root/state/kassotek/Kassotek.QBL" ] || fail "Protokoll nicht im Benutzerordner"
[ ! -e "$prefix/bin/Kassotek.QBL" ] || fail "Protokoll im Programmordner"
echo "Installation in $prefix geprüft"
