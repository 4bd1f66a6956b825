#!/usr/bin/env bash
# Installs what the fuzzing harnesses need on top of scripts/setup-debian.sh: Clang 14 with
# libFuzzer and the sanitizer runtimes. Safe to run again.
set -euo pipefail
exec "$(dirname "$0")/setup-debian.sh" --fuzzing
