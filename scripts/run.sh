#!/bin/bash
# Builds the program and starts it in the working directory work/ below the
# project, making a demo database there on first use.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
work="$root/work"
if [[ ! -d "$work/DATA" ]]; then
    "$root/build/quorvel-admin" demo "$work"
    echo "请记下上面的口令,登录时要用。"
fi
cd "$work"
exec "$root/build/quorvel"
