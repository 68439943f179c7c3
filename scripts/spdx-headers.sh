#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Puts the copyright and licence lines at the top of every tracked source file
# that lacks them (C++, CMake, shell, Makefile); files that have them are left
# as they are, so the script can be run again at any time.
#   scripts/spdx-headers.sh           add the missing headers
#   scripts/spdx-headers.sh --check   list the files without one; status 1 if any
# The check also lists tracked files that are neither sources nor covered by a
# path of REUSE.toml.
set -euo pipefail
cd "$(dirname "$0")/.."

copyright="SPDX-FileCopyrightText: 2026 Vemo Tarn developers"
licence="SPDX-License-Identifier: GPL-3.0-or-later"
check=false
[ "${1:-}" = "--check" ] && check=true

# Tracked files (and new ones, when adding), or every file when the tree is not a git checkout.
list_files() {
    if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
        if $check; then
            git ls-files -z
        else
            git ls-files -z --cached --others --exclude-standard
        fi
    else
        find . -type f ! -path './build*' ! -path './.git/*' -printf '%P\0'
    fi
}

# The comment leader of a source file, nothing for the other files.
leader() {
    case "$1" in
        *.cpp | *.h) echo "//" ;;
        *.cmake | */CMakeLists.txt | CMakeLists.txt | *.sh | *.bash | Makefile | */Makefile) echo "#" ;;
        *) echo "" ;;
    esac
}

has_header() {
    head -n 5 "$1" | grep -q "SPDX-License-Identifier:"
}

# The path patterns of REUSE.toml ("path = [...]" entries, "**" and "*" globs).
reuse_patterns=()
if [ -f REUSE.toml ]; then
    while IFS= read -r pattern; do reuse_patterns+=("$pattern"); done < <(
        sed -n '/^path *=/,/]/p' REUSE.toml | grep -o '"[^"]*"' | tr -d '"')
fi

covered() {
    local pattern
    for pattern in "${reuse_patterns[@]}"; do
        # shellcheck disable=SC2053
        [[ "$1" == $pattern ]] && return 0
    done
    return 1
}

missing=0
while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue
    case "$file" in LICENSE | LICENSES/* | REUSE.toml) continue ;; esac
    mark=$(leader "$file")
    if [ -z "$mark" ]; then
        if $check && ! covered "$file"; then
            echo "no licence: $file (not a source file and not in REUSE.toml)"
            missing=1
        fi
        continue
    fi
    has_header "$file" && continue
    if $check; then
        echo "no SPDX header: $file"
        missing=1
        continue
    fi
    header="$mark $copyright"$'\n'"$mark $licence"$'\n\n'
    temporary=$(mktemp "$file.XXXXXX")
    if [ "$(head -c 2 "$file")" = "#!" ]; then
        { head -n 1 "$file"; printf '%s' "$header"; tail -n +2 "$file"; } > "$temporary"
    else
        { printf '%s' "$header"; cat "$file"; } > "$temporary"
    fi
    chmod --reference="$file" "$temporary"
    mv "$temporary" "$file"
    echo "header added: $file"
done < <(list_files)
exit $missing
