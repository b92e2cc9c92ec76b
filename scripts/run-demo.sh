#!/usr/bin/env bash
# Builds the program and starts it on a fresh copy of the bundled demo, so the
# files in demo/ never change. Without a display it prints how to run the
# command-line twin on that copy instead.
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
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): the window cannot open."
  echo "Run the command-line twin on the copy instead, for example:"
  echo "  $repo/$budowa/src/wyrownik-cli height --program-dir $kopia demo.scn"
  echo "  $repo/$budowa/src/wyrownik-cli clearance --program-dir $kopia demo.scn Stacja.SCN"
  exit 0
fi
if [[ "${WYROWNIK_GUI:-ON}" == "OFF" ]]; then
  echo "Built without the window (WYROWNIK_GUI=OFF); run:"
  echo "  $repo/$budowa/src/wyrownik-cli height --program-dir $kopia demo.scn"
  exit 0
fi
exec "$budowa/src/wyrownik" --program-dir "$kopia"
