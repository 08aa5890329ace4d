#!/usr/bin/env bash
# The end-to-end helpers' own rules that need no X server: when a window counts as centred
# (with or without a window manager's frame), when it counts as at rest, and how decimal
# seconds are read.
# Usage: lib_test.sh
. "$(dirname "$0")/e2e_lib.sh"
failures=0
check() {  # WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] || { echo "FAIL: $1: expected $2, got $3" >&2; failures=$((failures + 1)); }
}
yes_no() { "$@" && echo yes || echo no; }

# POS SIZE FRAME_BEFORE FRAME_AFTER SCREEN | centred?
while IFS='|' read -r args want; do
    # shellcheck disable=SC2086
    check "e2e_centred_on $args" "$want" "$(yes_no e2e_centred_on $args)"
done <<'EOF'
294 692 0 0 1280|yes
293 692 0 0 1280|no
295 692 0 0 1280|no
0 1494 0 0 1024|yes
-235 1494 0 0 1024|no
441 397 1 1 1280|yes
442 397 1 1 1280|yes
440 397 1 1 1280|no
424 176 20 1 1024|yes
444 176 20 1 1024|yes
433 176 20 1 1024|yes
434 176 20 1 1024|no
404 176 20 1 1024|no
20 1010 20 1 1024|yes
0 1010 20 1 1024|no
7 1010 20 1 1024|yes
EOF

# Samples "X Y W H@MS" a window shows at each look | the look at which it is at rest (0: never)
e2e_geometry() { echo "$shown"; }
e2e_now_ms() { echo "$clock"; }
while IFS='|' read -r samples want; do
    IFS=';' read -r -a looks <<<"$samples"
    E2E_SETTLE_LAST="" E2E_SETTLE_SINCE=0 E2E_SETTLE_LOOKS=0
    got=0
    for i in "${!looks[@]}"; do
        shown=${looks[$i]%@*} clock=${looks[$i]#*@}
        if e2e_settled 1; then got=$((i + 1)); break; fi
    done
    check "e2e_settled over $samples" "$want" "$got"
done <<'EOF'
1 2 3 4@0;1 2 3 4@50;1 2 3 4@100;1 2 3 4@150;1 2 3 4@200;1 2 3 4@250;1 2 3 4@300;1 2 3 4@350;1 2 3 4@400;1 2 3 4@450;1 2 3 4@500|11
1 2 3 4@0;1 2 3 4@600;1 2 3 4@700;1 2 3 4@800;1 2 3 4@900;1 2 3 4@1000;1 2 3 4@1100;1 2 3 4@1200;1 2 3 4@1300;1 2 3 4@1400;1 2 3 4@1500|11
1 2 3 4@0;1 2 3 4@50;1 2 3 4@100;1 2 3 4@150;1 2 3 4@200;1 2 3 4@250;1 2 3 4@300;1 2 3 4@350;1 2 3 4@400;1 2 3 4@450;1 2 3 4@499|0
1 2 3 4@0;1 2 3 4@1000;1 2 3 4@2000;9 2 3 4@3000;9 2 3 4@3100;9 2 3 4@3200;9 2 3 4@3300;9 2 3 4@3400;9 2 3 4@3500;9 2 3 4@3600;9 2 3 4@3700;9 2 3 4@3800;9 2 3 4@3900|0
1 2 3 4@0;1 2 3 5@600;1 2 3 5@700;1 2 3 5@800;1 2 3 5@900;1 2 3 5@1000;1 2 3 5@1100;1 2 3 5@1200;1 2 3 5@1300;1 2 3 5@1400;1 2 3 5@1500;1 2 3 5@1600|12
EOF
unset -f e2e_geometry e2e_now_ms

# SECONDS | milliseconds
while IFS='|' read -r secs want; do
    check "e2e_ms $secs" "$want" "$(e2e_ms "$secs")"
done <<'EOF'
30|30000
0.05|50
2.5|2500
0.125|125
EOF

[ "$failures" = 0 ] || exit 1
echo "PASS"
