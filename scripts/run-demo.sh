#!/usr/bin/env bash
# Builds the program and starts it on a fresh copy of the bundled demo, so the
# files in demo/ never change. Without a display (or without the window) it
# runs a height batch on that copy with the command-line twin instead.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

WYROWNIK_WINDOWS=OFF scripts/setup.sh  # the demo needs no cross-compiler
budowa=${WYROWNIK_BUILD_DIR:-build}
cmake -S . -B "$budowa" -DWYROWNIK_GUI="${WYROWNIK_GUI:-ON}" >/dev/null
cele=(wyrownik-cli)
[[ "${WYROWNIK_GUI:-ON}" != "OFF" ]] && cele+=(wyrownik)
cmake --build "$budowa" -j2 --target "${cele[@]}"

kopia=$(mktemp -d "${TMPDIR:-/tmp}/wyrownik-demo.XXXXXX")
cp -R demo/. "$kopia/"
# The copy is both the program directory (wyrownik.ini, the log) and the
# simulator root (its scenery/ folder). Rewrite the first non-empty line
# after the path header, keeping the file's CR LF line ends.
LC_ALL=C awk -v korzen="$kopia" '
  { sub(/\r$/, "") }
  naglowek && $0 != "" { $0 = korzen; naglowek = 0 }
  tolower($0) ~ /^\[sciezka dostepu\]/ { naglowek = 1 }
  { printf "%s\r\n", $0 }
' demo/wyrownik.ini >"$kopia/wyrownik.ini"

echo "Demo copy: $kopia"
# Without a window the demo runs as the command-line twin: a height batch on
# the copy, progress on the terminal, then the log's summary and the report.
cli_demo() {
  echo "$1 Running a height batch on the copy with the command-line twin instead."
  local raport
  raport=$("$budowa/src/wyrownik-cli" height --program-dir "$kopia" demo.scn)
  echo
  echo "Summary from $kopia/Log_korekcja.txt:"
  iconv -f WINDOWS-1250 -t UTF-8 "$kopia/Log_korekcja.txt" | tr -d '\r' | grep -E '^(Sceneria: [^ ]+$|Ilo)' || true
  echo "Map report: $raport"
  echo "Undo it with: $repo/$budowa/src/wyrownik-cli undo --program-dir $kopia"
}
if [[ "${WYROWNIK_GUI:-ON}" == "OFF" ]]; then
  cli_demo "Built without the window (WYROWNIK_GUI=OFF)."
  exit 0
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  cli_demo "No display (DISPLAY and WAYLAND_DISPLAY are empty): the window cannot open."
  exit 0
fi
exec "$budowa/src/wyrownik" --program-dir "$kopia"
