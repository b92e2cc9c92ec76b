#!/usr/bin/env bash
# Fresh Debian 12 to green tests: install, configure, build with -j2, run CTest;
# then the CI guards, each in its own build folder next to the main one:
#   format  every source formatted with the checked-in .clang-format;
#   san     all tests again under AddressSanitizer + UndefinedBehaviorSanitizer;
#   lto     every target links with link-time optimisation and -Werror=odr;
#   fuzz    the libFuzzer targets (fuzz/) a short fixed time each from their
#           committed seeds (WYROWNIK_FUZZ_SECONDS, default 15).
# Between the two, the Windows suite under wine (WYROWNIK_WINDOWS=OFF skips it).
# WYROWNIK_GUARDS=OFF skips the guards (quick local runs); a comma list such as
# WYROWNIK_GUARDS=format,lto runs only those. CI leaves it unset: all of them.
set -euo pipefail
cd "$(dirname "$0")/.."

poczatek=$SECONDS
budowa=${WYROWNIK_BUILD_DIR:-build}
gui=${WYROWNIK_GUI:-ON}
# A window test renders a map report in headless Chromium.
if [[ "$gui" != "OFF" ]]; then scripts/setup.sh chromium; else scripts/setup.sh; fi
cmake -S . -B "$budowa" -DWYROWNIK_GUI="$gui" -DWYROWNIK_WERROR=ON
cmake --build "$budowa" -j2
ctest --test-dir "$budowa" --output-on-failure -j2
czasy=("$(printf '%-22s %5d s  ok' 'main build + tests' $((SECONDS - poczatek)))")

# The Windows suite: the same core and command-line tests cross-built with
# MinGW-w64 and run under wine (WYROWNIK_WINDOWS=OFF skips it).
if [[ "${WYROWNIK_WINDOWS:-ON}" != "OFF" ]]; then
  poczatek_win=$SECONDS
  budowa_win=${WYROWNIK_BUILD_DIR_WIN:-build-win}
  cmake -S . -B "$budowa_win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DWYROWNIK_GUI=OFF -DWYROWNIK_BENCH=OFF -DWYROWNIK_WERROR=ON -DCMAKE_BUILD_TYPE=Release
  cmake --build "$budowa_win" -j2
  # A test failing once is run again: a program starting while wine's server
  # shuts down after the one before is wine's own flakiness, seen about once
  # in a few hundred runs; a real fault fails twice.
  # The differential test of the shortcuts runs fewer cases where every
  # file operation is slow (wine, the sanitizers).
  WINEDEBUG=-all WYROWNIK_PROBY=${WYROWNIK_PROBY:-40} \
    ctest --test-dir "$budowa_win" --output-on-failure -j2 --repeat until-pass:2
  czasy+=("$(printf '%-22s %5d s  ok' 'windows (wine)' $((SECONDS - poczatek_win)))")
fi

straze=${WYROWNIK_GUARDS:-ON}
[[ "$straze" == "OFF" ]] && exit 0
[[ "$straze" == "ON" ]] && straze=format,san,tsan,lto,fuzz

# The guards below return non-zero instead of exiting, so that one failing
# guard still lets the others report.

straz_format() {
  # The style file is tuned to clang-format 14 (Debian 12); other versions
  # format some constructs differently, so their verdict would be noise.
  local cf=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
  [[ -n "$cf" ]] || { echo "clang-format not found" >&2; return 1; }
  local wersja
  wersja=$("$cf" --version | grep -o 'version [0-9]*' | cut -d' ' -f2)
  [[ "$wersja" == 14 ]] || { echo "$cf is version $wersja, the style needs 14" >&2; return 1; }

  local pliki zle=()
  mapfile -t pliki < <(find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.hpp' \) | sort)
  for f in "${pliki[@]}"; do
    "$cf" --dry-run -Werror "$f" >/dev/null 2>&1 || zle+=("$f")
  done
  echo "clang-format $wersja: ${#pliki[@]} files checked" >&2
  [[ ${#zle[@]} -eq 0 ]] && return 0
  echo "Not formatted (fix with: $cf -i FILE):" >&2
  printf '  %s\n' "${zle[@]}" >&2
  for f in "${zle[@]}"; do
    diff -u --label "$f" --label "$f (formatted)" "$f" <("$cf" "$f") >&2 || true
  done
  return 1
}

straz_san() {
  local b=$budowa-san
  # float-cast-overflow is real undefined behaviour that GCC leaves out of
  # "undefined"; the index grid turns coordinates (doubles) into cell numbers.
  local flagi="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all"
  flagi+=" -fno-omit-frame-pointer"
  # Warnings are the main build's guard; instrumented code only adds false
  # positives, so no -Werror here. Benchmarks are not run, so not built.
  cmake -S . -B "$b" -DCMAKE_BUILD_TYPE=Debug -DWYROWNIK_GUI="$gui" -DWYROWNIK_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flagi" -DCMAKE_EXE_LINKER_FLAGS="$flagi" || return 1
  cmake --build "$b" -j2 || return 1

  # Reports go to files, not only to stderr: some tests run the programs as
  # child processes and only check their exit status, which could pass a
  # sanitizer's exit by accident. Any report at all fails the guard.
  # The window tests run here too: the windows drive whole batches.
  local raporty=$PWD/$b/raporty-sanitizerow
  rm -rf "$raporty" && mkdir -p "$raporty" || return 1
  # Options already in the environment come last, so they win locally.
  local asan="detect_leaks=1:detect_stack_use_after_return=1"
  asan+=":check_initialization_order=1:strict_init_order=1:log_path=$raporty/asan"
  local ubsan="print_stacktrace=1:halt_on_error=1:log_path=$raporty/ubsan"
  local wynik=0
  WYROWNIK_PROBY=${WYROWNIK_PROBY:-60} ASAN_OPTIONS="$asan${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
    UBSAN_OPTIONS="$ubsan${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}" \
    ctest --test-dir "$b" --output-on-failure -j2 || wynik=1
  local r
  for r in "$raporty"/*; do
    [[ -e "$r" ]] || continue
    echo "---- sanitizer report $r" >&2
    cat "$r" >&2
    wynik=1
  done
  return $wynik
}

straz_lto() {
  local b=$budowa-lto
  # -Wodr needs the whole program: two different types under one name in two
  # files compile cleanly one by one and only clash at link time.
  # -Werror on the link line too: the normal -Werror is a compile option only,
  # and warnings from the link-time compile would pass. Tests are only linked,
  # not run, so they are not listed at build time either.
  cmake -S . -B "$b" -DWYROWNIK_GUI="$gui" -DWYROWNIK_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-flto=auto -Wodr -Werror=odr" -DCMAKE_EXE_LINKER_FLAGS="-Werror" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST || return 1
  # Keep going after a failed link, so that every clash is reported in one run.
  local dalej=()
  case "$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$b/CMakeCache.txt")" in
    *Makefiles) dalej=(-- -k) ;;
    Ninja*) dalej=(-- -k 0) ;;
  esac
  cmake --build "$b" -j2 "${dalej[@]}"
}

straz_tsan() {
  local b=$budowa-tsan
  # ThreadSanitizer over the tests whose runs use a second thread (the scan,
  # the pipes of the height and clearance runs, the rewrite's second judge).
  cmake -S . -B "$b" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWYROWNIK_GUI=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST || return 1
  cmake --build "$b" -j2 --target testy_scenery testy_batch || return 1
  local t
  for t in scenery batch; do
    WYROWNIK_PROBY=${WYROWNIK_PROBY:-60} TSAN_OPTIONS="halt_on_error=1 exitcode=66" \
      "$b/tests/testy_$t" --gtest_brief=1 || return 1
  done
}

straz_fuzz() {
  local b=$budowa-fuzz
  # libFuzzer needs clang; the libraries are instrumented for coverage and
  # checked by AddressSanitizer and UBSan like the targets themselves.
  command -v clang++ >/dev/null || { echo "clang++ not found" >&2; return 1; }
  local flagi="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
  CC=clang CXX=clang++ cmake -S . -B "$b" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWYROWNIK_GUI=OFF \
    -DWYROWNIK_TESTS=OFF -DWYROWNIK_BENCH=OFF -DWYROWNIK_FUZZ=ON -DCMAKE_CXX_FLAGS="$flagi" \
    || return 1
  cmake --build "$b" -j2 || return 1
  # Each target a short fixed time from the committed seeds; what it finds
  # goes to a scratch corpus, never into the source tree. A target fails the
  # guard when it exits non-zero (a finding, or a target that cannot start)
  # or leaves a crash, leak or timeout file in this run; files of an earlier
  # run are removed first, so they fail no later one.
  local sekundy=${WYROWNIK_FUZZ_SECONDS:-15} wynik=0 t korpus kod wyniki
  rm -f "$b"/crash-* "$b"/leak-* "$b"/timeout-* "$b"/oom-*
  for t in linia czytnik ini partia; do
    korpus=$(mktemp -d)
    wyniki=$(mktemp)
    cp fuzz/korpus/"$t"/* "$korpus"/
    kod=0
    (cd "$b" && ./fuzz/fuzz_"$t" -max_total_time="$sekundy" -max_len=4096 -print_final_stats=1 \
      "$korpus" >"$wyniki" 2>&1) || kod=$?
    grep -E '^(stat::number_of_executed_units|==|SUMMARY)|ERROR|DONE' "$wyniki" || true
    if [[ $kod -ne 0 ]]; then
      echo "fuzz_$t exited with status $kod; its last lines:" >&2
      tail -n 20 "$wyniki" >&2
      wynik=1
    fi
    # libFuzzer writes crash-*/leak-*/timeout-*/oom-* files where it runs on a finding.
    if compgen -G "$b/crash-*" >/dev/null || compgen -G "$b/leak-*" >/dev/null ||
       compgen -G "$b/timeout-*" >/dev/null || compgen -G "$b/oom-*" >/dev/null; then
      echo "fuzz_$t found a failing input: $(ls "$b"/crash-* "$b"/leak-* "$b"/timeout-* "$b"/oom-* 2>/dev/null)" >&2
      wynik=1
    fi
    rm -rf "$korpus" "$wyniki"
  done
  return $wynik
}

nieudane=()
IFS=, read -ra wybrane <<<"$straze"
for s in "${wybrane[@]}"; do
  declare -F "straz_$s" >/dev/null || { echo "Unknown guard: $s (format, san, tsan, lto, fuzz)" >&2; exit 64; }
done
for s in "${wybrane[@]}"; do
  echo "==== guard: $s" >&2
  poczatek=$SECONDS
  if "straz_$s"; then stan=ok; else stan=FAILED; nieudane+=("$s"); fi
  czasy+=("$(printf '%-22s %5d s  %s' "guard $s" $((SECONDS - poczatek)) "$stan")")
done

echo "==== stages" >&2
printf '  %s\n' "${czasy[@]}" >&2
[[ ${#nieudane[@]} -eq 0 ]] || { echo "Failed guards: ${nieudane[*]}" >&2; exit 1; }
