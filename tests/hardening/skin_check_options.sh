#!/usr/bin/env bash
# skin_check_options.sh CHECKER VERSION: the checker's command line as a user meets it. Asked
# for, the usage and the version are answers (standard output, status 0, nothing on standard
# error); a wrong command line prints the usage on standard error with status 2 and nothing
# on standard output.
set -u
checker=$(realpath "$1") version=${2:?version}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# STATUS | STREAM that carries the text | its first line, exactly | ARGUMENTS, separated by spaces
cases=(
    "0|out|usage: zorpy-nibbo-skin-check PATH/TO/Config.ini|--help"
    "0|out|usage: zorpy-nibbo-skin-check PATH/TO/Config.ini|-h"
    "0|out|zorpy-nibbo-skin-check $version|--version"
    "0|out|zorpy-nibbo-skin-check $version|-v"
    "2|err|usage: zorpy-nibbo-skin-check PATH/TO/Config.ini|"
    "2|err|usage: zorpy-nibbo-skin-check PATH/TO/Config.ini|--bogus"
    "2|err|usage: zorpy-nibbo-skin-check PATH/TO/Config.ini|--help extra"
    "2|err|usage: zorpy-nibbo-skin-check PATH/TO/Config.ini|--version --help"
    "2|err|usage: zorpy-nibbo-skin-check PATH/TO/Config.ini|a.ini b.ini"
)
fails=0
for c in "${cases[@]}"; do
    IFS='|' read -r want stream first argline <<<"$c"
    read -ra args <<<"$argline"
    (cd "$tmp" && "$checker" "${args[@]}") >"$tmp/out" 2>"$tmp/err"
    status=$?
    other=err; [ "$stream" = err ] && other=out
    got=$(head -n1 "$tmp/$stream")
    if [ "$status" != "$want" ] || [ "$got" != "$first" ] || [ -s "$tmp/$other" ]; then
        echo "FAIL: '${args[*]}': status $status (want $want), std$stream begins '$got' (want '$first')," \
             "std$other: '$(cat "$tmp/$other")'" >&2
        fails=$((fails + 1))
    fi
done
# The usage asked for names both options, so a user learns them from it.
"$checker" --help | grep -q -- '--version' || { echo "FAIL: --help does not name --version" >&2; fails=$((fails + 1)); }
[ "$fails" -eq 0 ] || exit 1
echo "PASS: ${#cases[@]} command lines"
