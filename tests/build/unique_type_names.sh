#!/usr/bin/env bash
# Fails when two classes or structs of the program share a name.
#
# Two definitions of one class name in one namespace break the one-definition
# rule: the linker keeps one of each inline member and virtual table, so one
# class can end up calling the other's destructor, and nothing warns. The
# program's types are all in namespace vantorel, so a name defined twice
# anywhere in the tree is refused, in an unnamed namespace too: a reader
# should not have to know which one a file means.
#
# Usage: unique_type_names.sh SOURCE_DIR
set -euo pipefail
cd "$1"

# Definitions at namespace level: "class Name", "struct Name", "class Name
# final", with a base list or an opening brace on the line; a declaration
# ("class Name;") is not one.
# Every source file of the tree, build trees left out, so a new folder is
# checked without being named here.
mapfile -t sources < <(find . -path './build*' -prune -o -path './.git' -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
definitions=$(grep -nE '^(class|struct) +[A-Za-z_][A-Za-z0-9_]*( +final)? *(:[^;]*)?\{? *$' "${sources[@]}" |
  sed -E 's/^\.\/([^:]+):([0-9]+):(class|struct) +([A-Za-z0-9_]+).*/\4 \1:\2/')

repeated=$(awk '{print $1}' <<<"$definitions" | sort | uniq -d)
if [ -n "$repeated" ]; then
  echo "class names defined more than once:" >&2
  for name in $repeated; do
    grep "^$name " <<<"$definitions" | sed 's/^/  /' >&2
  done
  exit 1
fi
echo "$(wc -l <<<"$definitions") class and struct names, each defined once"
