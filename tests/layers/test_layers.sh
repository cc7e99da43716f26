#!/usr/bin/env bash
# The layers of src/ (docs/ARCHITECTURE.md): no folder includes one ranked
# above it; only desktop/ speaks to the X server; the headless platform names
# no game. Prints every breach.
#   tests/layers/test_layers.sh [repository top folder]
set -uo pipefail
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$top" || exit 2

rank() {
    case $1 in
    platform | state) echo 1 ;;
    desktop | look) echo 2 ;;
    sound | appearance | celebration) echo 3 ;;
    rally | data | dialogs) echo 4 ;;
    match) echo 5 ;;
    app) echo 6 ;;
    *) echo 0 ;;
    esac
}

breaches=0
breach() { echo "layers: $*"; breaches=$((breaches + 1)); }
files=0
while IFS= read -r file; do
    files=$((files + 1))
    own=$(cut -d/ -f2 <<<"$file")
    mine=$(rank "$own")
    ((mine > 0)) || breach "$file: folder $own/ has no rank"
    while IFS= read -r used; do
        [[ -z $used || $used == "$own" ]] && continue
        theirs=$(rank "$used")
        ((theirs > 0 && theirs <= mine)) || breach "$file includes $used/, which is above $own/"
    done < <(grep -oE '^#include "[a-z]+/' "$file" | sed 's/#include "//; s#/$##' | sort -u)
    if [[ $own != desktop ]] && grep -qE '^#include <xcb/' "$file"; then
        breach "$file speaks to the X server; only desktop/ does"
    fi
done < <(find src -mindepth 2 -name '*.h' -o -mindepth 2 -name '*.cpp' | sort)
((files > 50)) || breach "only $files files found under $top/src"
# The game's name comes from the application, set once; the platform has none.
if names=$(grep -rniE 'mokaruns|moka runs|モカランズ' src/platform); then
    breach "the headless platform names the game:"$'\n'"$names"
fi
if ((breaches)); then
    echo "layers: $breaches breaches in $files files"
    exit 1
fi
echo "layers: $files files, every include points down"
