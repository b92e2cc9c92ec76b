#!/usr/bin/env bash
# Fresh Debian 12 to green tests: install, configure, build with -j2, run CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
budowa=${WYROWNIK_BUILD_DIR:-build}
cmake -S . -B "$budowa" -DWYROWNIK_GUI="${WYROWNIK_GUI:-ON}" -DWYROWNIK_WERROR=ON
cmake --build "$budowa" -j2
ctest --test-dir "$budowa" --output-on-failure -j2
