#!/usr/bin/env bash
# The driver's --record and --replay: what a recording cannot hold is refused line by line,
# a file that is no recording for this engine is one line on standard error, status 1, and a
# slowed game plays.
# Usage: record_options_test.sh SCRIPT_DRIVER
driver=${1:?driver}
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
printf 'zorpy-nibbo-replay 2\nseed 1\nstart off\nend 0\n' >"$t/v2"
printf 'zorpy-nibbo-replay 1\nseed 1\nspeed 75\nstart off\nend 0\n' >"$t/slow"
failed=0
# arguments | standard input | status | a part of standard error
cases=(
  "--record $t/r|press power\nwait 10\nseed 3\n|1|error line 3: seed: a recording takes its seed before"
  "--record $t/r|seed 3\nrand 1 2\n|1|error line 2: rand: forced draws cannot be recorded"
  "--replay $t/none||1|$t/none: cannot be opened"
  "--replay $t/v2||1|$t/v2: line 1: version '2' is not read"
  "--replay $t/slow||0|"  # a slowed game plays: its times are the game's own
  "--replay||2|take one FILE each"
  "--bogus||2|unknown option '--bogus'"
)
for c in "${cases[@]}"; do
  IFS='|' read -r args input want says <<<"$c"
  # shellcheck disable=SC2086
  printf "$input" | "$driver" $args >"$t/out" 2>"$t/err"
  got=$?
  if [ "$got" != "$want" ] || { [ -n "$says" ] && ! grep -qF -- "$says" "$t/err"; } || { [ "$want" = 1 ] && [ "$(wc -l <"$t/err")" != 1 ]; }; then
    echo "FAIL: $args: status $got (want $want), standard error: $(cat "$t/err")"
    failed=1
  fi
done
grep -q '^seed 3$' "$t/r" || { echo "FAIL: the recording lost its seed: $(cat "$t/r")"; failed=1; }
exit $failed
