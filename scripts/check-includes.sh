#!/usr/bin/env bash
# Fails, naming the circle, when files of the Qt program include one another
# in a circle. A header and its .cpp are one node: ui/a.h and ui/a.cpp are
# "ui/a", so ui/a.cpp including ui/b.h while ui/b.cpp includes ui/a.h is a
# circle too. Only `#include "ui/..."` lines count.
#   scripts/check-includes.sh [folder]   (default: the ui/ folder)
set -euo pipefail
dir=${1:-$(dirname "$0")/../ui}
cd "$dir"
shopt -s nullglob
for file in *.h *.cpp; do
  node=${file%.*}
  sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"ui/\([^"]*\)\.[a-z]*".*|\1|p' "$file" |
    while read -r target; do
      if [ "$target" != "$node" ]; then echo "$node $target"; fi
    done
done | LC_ALL=C sort -u | awk '
  function visit(node,   i, k, count, targets, circle) {
    state[node] = 1
    stack[++depth] = node
    count = split(edges[node], targets, " ")
    for (i = 1; i <= count; i++) {
      if (state[targets[i]] == 1) {
        for (k = depth; stack[k] != targets[i]; k--) {}
        circle = "ui/" stack[k]
        for (k++; k <= depth; k++) circle = circle " -> ui/" stack[k]
        print "include circle: " circle " -> ui/" targets[i]
        found = 1
      } else if (state[targets[i]] == 0) {
        visit(targets[i])
      }
    }
    depth--
    state[node] = 2
  }
  {
    if (!($1 in known)) { known[$1] = 1; order[++nodes] = $1 }
    if (!($2 in known)) { known[$2] = 1; order[++nodes] = $2 }
    edges[$1] = edges[$1] " " $2
  }
  END {
    for (n = 1; n <= nodes; n++) if (state[order[n]] == 0) visit(order[n])
    if (!found) print "no include circle among " nodes " files of ui/"
    exit found
  }'
