#!/usr/bin/env bash
# Builds both packages from scratch on Debian 12 and checks the Windows one:
#   dist/wyrownik-VERSION-win64.zip           wyrownik.exe, wyrownik-cli.exe
#   dist/wyrownik-VERSION-linux-x86_64.tar.gz wyrownik, wyrownik-cli (system Qt 6)
# Each unpacks to one folder wyrownik/, the program directory.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

scripts/setup.sh
mkdir -p dist

cmake -S . -B build-pakiet-linux -DCMAKE_BUILD_TYPE=Release -DWYROWNIK_TESTS=OFF \
  -DWYROWNIK_BENCH=OFF >/dev/null
cmake --build build-pakiet-linux -j2 --target wyrownik wyrownik-cli
(cd build-pakiet-linux && cpack -G TGZ -B "$repo/dist" >/dev/null)

cmake -S . -B build-pakiet-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DWYROWNIK_GUI=OFF -DWYROWNIK_TESTS=OFF -DWYROWNIK_BENCH=OFF >/dev/null
cmake --build build-pakiet-win -j2 --target wyrownik wyrownik-cli
(cd build-pakiet-win && cpack -G ZIP -B "$repo/dist" >/dev/null)
rm -rf dist/_CPack_Packages

# The zip's command-line program, run under wine straight from its unpacked
# folder on a copy of the demo: wyrownik.ini is read and the log written
# there, with no --program-dir.
proba=$(mktemp -d)
trap 'rm -rf "$proba"' EXIT
wersja=$(sed -n 's/^project(wyrownik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
(cd "$proba" && python3 -m zipfile -e "$repo/dist/wyrownik-$wersja-win64.zip" .)
cp -R demo/scenery "$proba/scenery"
korzen=$(WINEDEBUG=-all winepath -w "$proba")
# Through the environment: awk -v would read "\t" in the path as a tab.
KORZEN=$korzen LC_ALL=C awk '
  { sub(/\r$/, "") }
  naglowek && $0 != "" && $0 !~ /^;/ { $0 = ENVIRON["KORZEN"]; naglowek = 0 }
  tolower($0) ~ /^\[sciezka dostepu\]/ { naglowek = 1 }
  { printf "%s\r\n", $0 }
' "$proba/wyrownik/wyrownik.ini" >"$proba/ini" && mv "$proba/ini" "$proba/wyrownik/wyrownik.ini"
WINEDEBUG=-all wine "$proba/wyrownik/wyrownik-cli.exe" height demo.scn >/dev/null 2>&1
LC_ALL=C grep -q "Ilo.. zmian: 10" "$proba/wyrownik/Log_korekcja.txt"
echo "Packages in dist/ (the zip's wyrownik-cli.exe corrected the demo from its own folder):"
ls -1 dist/
