#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers of src/ (docs/ARCHITECTURE.md): no folder includes one ranked
# above it; only desktop/ includes the window system's own headers (X11,
# xcb, Wayland); the headless platform names no game. Includes are read as
# the compiler reads them: any spacing around '#' and 'include', quotes or
# angle brackets, and paths relative to the including file or to src/.
# Prints every breach.
#   tests/layers/test_layers.sh [repository top folder]
set -uo pipefail
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$top" || exit 2

declare -A RANK=(
    [platform]=1 [state]=1
    [desktop]=2 [look]=2
    [sound]=3 [celebration]=3
    [rally]=4 [data]=4 [dialogs]=4
    [match]=5
    [app]=6
)

# NORM: the path $1 with its "." and ".." steps taken, as the compiler
# walks it. (Builtins only: a subshell per include makes the check slow.)
normal() {
    local part
    local -a out=()
    local IFS=/
    for part in $1; do
        case $part in
        "" | .) ;;
        ..) if ((${#out[@]})); then unset 'out[-1]'; else out+=(".."); fi ;;
        *) out+=("$part") ;;
        esac
    done
    NORM="${out[*]}"
}

# USED: the folder of src/ that include $3 of file $1 reaches ($2 is its
# quote, " or <), or nothing for a header from outside src/. A quoted name
# is looked for beside the including file first, then, like a name in angle
# brackets, on the include path, where src/ is.
reached() {
    local file=$1 kind=$2 name=$3
    USED=""
    if [[ $kind == '"' ]]; then
        normal "${file%/*}/$name"
        if [[ -f $NORM ]]; then
            [[ $NORM =~ ^src/([^/]+)/ ]] && USED=${BASH_REMATCH[1]}
            return
        fi
    fi
    normal "src/$name"
    [[ -f $NORM && $NORM =~ ^src/([^/]+)/ ]] && USED=${BASH_REMATCH[1]}
}

breaches=0
breach() { echo "layers: $*"; breaches=$((breaches + 1)); }
files=0
include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^>"]+)[>"]'
window_system_re='^(X11/|xcb/|wayland-|xkbcommon/)'
while IFS= read -r file; do
    files=$((files + 1))
    own=${file#src/} own=${own%%/*}
    mine=${RANK[$own]:-0}
    ((mine > 0)) || breach "$file: folder $own/ has no rank"
    while IFS= read -r line; do
        [[ $line =~ $include_re ]] || continue
        kind=${BASH_REMATCH[1]} name=${BASH_REMATCH[2]}
        if [[ $name =~ $window_system_re && $own != desktop ]]; then
            breach "$file includes <$name>: only desktop/ speaks to the window system"
        fi
        reached "$file" "$kind" "$name"
        [[ -z $USED || $USED == "$own" ]] && continue
        # The data flows one way: the dialogs answer and write no shared
        # state, the rally shows its court through an interface, not a
        # widget, and the window passes input on without reaching into the
        # rally.
        case $own/$USED in
        dialogs/state) breach "$file includes $name: the dialogs answer; the match writes the state" ;;
        rally/desktop) breach "$file includes $name: the rally shows its court through CourtPresenter" ;;
        app/rally)
            [[ $NORM =~ ^src/rally/(Ball|Racket|Opponent|RallyCast|clsBALL|clsRKT|clsCOM)\.h$ ]] &&
                breach "$file includes $name: the window reaches into the rally's internals"
            ;;
        esac
        theirs=${RANK[$USED]:-0}
        ((theirs > 0 && theirs <= mine)) || breach "$file includes $USED/ ($name), which is above $own/"
    done <"$file"
done < <(find src -mindepth 2 \( -name '*.h' -o -name '*.cpp' \) | sort)
((files > 50)) || breach "only $files files found under $top/src"
# The game's name comes from the application, set once; the platform has none.
if names=$(grep -rniE 'mokaruns|moka runs|モカランズ' src/platform | grep -v 'SPDX-FileCopyrightText:'); then
    breach "the headless platform names the game:"$'\n'"$names"
fi
if ((breaches)); then
    echo "layers: $breaches breaches in $files files"
    exit 1
fi
echo "layers: $files files, every include points down"
