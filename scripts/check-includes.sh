#!/usr/bin/env bash
# Checks that the program's folders include one another one way only: a file
# may include a header of its own folder or of a folder lower in the order
# below, never of a higher one nor of a folder beside it (app/ and tools/ sit
# side by side at the top). Reads every #include "folder/file" line of the
# program's sources; tests/ and bench/ may include anything and are not read.
# Exits 1 naming each include against the order. docs/layering.md explains it.
#
#   scripts/check-includes.sh           the check (scripts/test.sh runs it)
#   scripts/check-includes.sh --graph   the folder include graph: one line
#                                       "from -> to  (number of includes)" per
#                                       pair of folders, then whether it has a cycle
set -eu
cd "$(dirname "$0")/.."

# The order, lowest first; folders on one line are side by side.
order='model
geometry
construct
io
view
export
app tools'

includes() {
    # "file folder included-path" for every #include "a/b" of the program's sources.
    local dirs d
    dirs=$(for d in $order; do [ -d "$d" ] && echo "$d"; done)
    # shellcheck disable=SC2086
    grep -rHn --include='*.h' --include='*.cpp' --include='*.xpm' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' $dirs |
        sed -E 's/^([^:]*):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1:\2 \3/'
}

rank_table=$(echo "$order" | awk '{ for (i = 1; i <= NF; ++i) print $i, NR }')

if [ "${1:-}" = "--graph" ]; then
    includes | awk -v ranks="$rank_table" '
        BEGIN { n = split(ranks, r, "\n"); for (i = 1; i <= n; ++i) { split(r[i], p, " "); rank[p[1]] = p[2]; names[i] = p[1] } }
        {
            split($1, f, "/"); split($2, t, "/")
            if (f[1] != t[1]) count[f[1] " -> " t[1]]++
        }
        END {
            # Edges from the top of the order down.
            for (i = n; i >= 1; --i) for (j = n; j >= 1; --j) {
                e = names[i] " -> " names[j]
                if (e in count) { printf "%-22s (%d)\n", e, count[e]; out[names[i]] = out[names[i]] " " names[j] }
            }
            # A cycle shows as a folder reached again on its own path (depth-first search).
            cyclic = 0
            for (i = 1; i <= n; ++i) state[names[i]] = 0
            for (i = 1; i <= n; ++i) if (state[names[i]] == 0) visit(names[i])
            print cyclic ? "cycle: " cycle : "no cycle between folders"
            exit cyclic
        }
        function visit(a,   k, m, next_) {
            state[a] = 1
            m = split(out[a], next_, " ")
            for (k = 1; k <= m; ++k) {
                if (state[next_[k]] == 1 && !cyclic) { cyclic = 1; cycle = a " -> " next_[k] }
                else if (state[next_[k]] == 0) visit(next_[k])
            }
            state[a] = 2
        }'
    exit $?
fi

includes | awk -v ranks="$rank_table" '
    BEGIN { n = split(ranks, r, "\n"); for (i = 1; i <= n; ++i) { split(r[i], p, " "); rank[p[1]] = p[2] } }
    {
        split($1, f, "/"); split($2, t, "/")
        if (f[1] == t[1]) next
        if (!(t[1] in rank) || rank[t[1]] >= rank[f[1]]) {
            printf "%s: includes \"%s\": %s/ may include only folders below it\n", $1, $2, f[1]
            bad = 1
        }
    }
    END {
        if (bad) print "the order, lowest first: model geometry construct io view export, then app and tools side by side"
        exit bad
    }'
