#!/usr/bin/env bash
# tools/install-packages.sh PACKAGE...
# Installs those of the named Debian packages that are missing (apt-get, with sudo unless
# root) and says which on standard error. Used by build.sh, bench/run.sh and fuzz/run.sh, so
# each installs just what it needs on a fresh machine.
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
