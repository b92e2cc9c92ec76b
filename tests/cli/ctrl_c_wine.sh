#!/usr/bin/env bash
# Ctrl+C for the Windows program under wine: wine hands a SIGINT of its
# process to the console's control handlers as CTRL_C_EVENT, as a console's
# Ctrl+C does. The batch must stop cleanly with 130, no scratch file left and
# every file as before or wholly corrected.
# Usage: ctrl_c_wine.sh WINE WYROWNIK-CLI.EXE
set -euo pipefail
wine=$1 cli=$2
k=$(mktemp -d)
# Wine hands the Ctrl+C to every program of its console session, its own
# desktop process too: the session is ended afterwards, so that the next
# wine test starts a fresh one (the test runs alone).
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
trap 'rm -rf "$k"; "$wineserver" -k 2>/dev/null || true; "$wineserver" -w 2>/dev/null || true' EXIT
mkdir -p "$k/program" "$k/sim/scenery"
windows() { printf 'Z:%s' "${1//\//\\}"; }
printf '[Sciezka dostepu]\r\n%s\r\n[inc]\r\n*\r\n[tekstury]\r\ntrawa\r\n' "$(windows "$k/sim")" \
  >"$k/program/wyrownik.ini"
s=$k/sim/scenery
printf 'node -1 0 t triangles trawa.dds\r\n0 7.125 0\r\n100 7.125 0\r\n0 7.125 100\r\nendtri\r\n' >"$s/main.scn"
awk 'BEGIN { for (j = 0; j < 5000; ++j) printf "include a.inc 10 5 20 end\r\n" }' >"$k/przed"
awk 'BEGIN { for (j = 0; j < 5000; ++j) printf "include a.inc 10 7.12 20 end\r\n" }' >"$k/po"
for i in $(seq 0 19); do
  printf 'include f%d.scm end\r\n' "$i" >>"$s/main.scn"
  cp "$k/przed" "$s/f$i.scm"
done

WINEDEBUG=-all "$wine" "$cli" height --program-dir "$(windows "$k/program")" main.scn \
  </dev/null >/dev/null 2>"$k/stderr" &
pid=$!
# Once the scratch index is there, the batch is under way.
for _ in $(seq 6000); do
  [[ -e "$s/aaa.aaa" ]] && break
  sleep 0.01
done
kill -INT "$pid"
kod=0
wait "$pid" || kod=$?

zle=0
[[ $kod -eq 130 ]] || { echo "exit status $kod, not 130" >&2; zle=1; }
grep -q '^wyrownik-cli: interrupted: ' "$k/stderr" || { echo "no 'interrupted' line" >&2; zle=1; }
for r in aaa.aaa aaa.aab aaa.ccc; do
  [[ ! -e "$s/$r" ]] || { echo "scratch file $r left" >&2; zle=1; }
done
for i in $(seq 0 19); do
  cmp -s "$s/f$i.scm" "$k/przed" || cmp -s "$s/f$i.scm" "$k/po" ||
    { echo "f$i.scm is neither as before nor as after" >&2; zle=1; }
done
[[ $zle -eq 0 ]] || { tail -n 5 "$k/stderr" >&2; exit 1; }
echo "1 passed, 0 failed"
