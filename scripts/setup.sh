#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, when it is missing.
# Needs root (or sudo) only when something is missing.
set -euo pipefail

# The window tests measure text, so a font must be there. clang-format is for
# the formatting guard in scripts/test.sh (Debian 12's is version 14).
# GMP checks the exact geometry in the tests; clang and its runtime build the
# libFuzzer targets. libxml2 parses the map reports in the tests; patch
# applies the patches of --diff there.
paczki=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev libgmp-dev clang-format
  clang libclang-rt-14-dev libxml2-dev patch)
if [[ "${WYROWNIK_GUI:-ON}" != "OFF" ]]; then
  paczki+=(qt6-base-dev fonts-dejavu-core)
fi
# The Windows programs: cross-built with MinGW-w64 (GoogleTest from Debian's
# sources), their tests run under wine (the window's under a virtual X server).
if [[ "${WYROWNIK_WINDOWS:-ON}" != "OFF" ]]; then
  paczki+=(g++-mingw-w64-x86-64-posix mingw-w64-tools googletest wine wine64 xvfb xauth)
fi
paczki+=("$@")

brak=()
for p in "${paczki[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || brak+=("$p")
done
[[ ${#brak[@]} -eq 0 ]] && exit 0

echo "Installing: ${brak[*]}" >&2
jako_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Run as root to install: ${brak[*]}" >&2; exit 1; }
  jako_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${jako_root[@]}" apt-get update -q
"${jako_root[@]}" apt-get install -y -q --no-install-recommends "${brak[@]}"
