#!/usr/bin/env bash
# Fails, naming each file, when a tracked C or C++ file is not as clang-format 14 writes it with
# the project's .clang-format. Takes seconds; CI runs it first, so it installs only the formatter.
#   scripts/check-format.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh" --format-only
cd "$root"
# Version 14 exactly: another version lays out some constructs differently.
format=clang-format-14
if ! git ls-files -z '*.c' '*.cc' '*.cpp' '*.h' '*.hpp' |
    xargs -0 --no-run-if-empty "$format" --dry-run --Werror; then
    echo "check-format.sh: the files above are not clang-format clean; run $format -i on them" >&2
    exit 1
fi
echo "check-format.sh: every tracked C/C++ file is clang-format clean"
