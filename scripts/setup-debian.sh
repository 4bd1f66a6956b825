#!/usr/bin/env bash
# Installs everything Nacreen needs to build and test on Debian 12. Safe to run again.
#   scripts/setup-debian.sh [--explorer] [--fuzzing] [--realsdk]
#   scripts/setup-debian.sh --format-only
# --explorer adds what the browser explorer needs: emcc for the WebAssembly core, node to test
# it, headless Chromium to test the page. --fuzzing adds Clang 14 with libFuzzer and the
# sanitizer runtimes for the fuzzing harnesses. --realsdk adds clang-cl, lld-link and the LLVM
# tools and libc++ headers that build against a real 3ds Max SDK on Linux
# (cmake/toolchains/clang-cl-msvc.cmake, scripts/realsdk-check.sh). --format-only installs
# clang-format 14 and nothing else, for scripts/check-format.sh.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libpng-dev libdeflate-dev
    # windres compiles the resource script for the Linux build as well as the Windows one.
    binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64
    wine64 wine
    # scripts/check-format.sh: the one clang-format version the sources are laid out with.
    clang-format-14
)
for option in "$@"; do
    case "$option" in
    --explorer)
        packages+=(emscripten chromium)
        command -v node >/dev/null || packages+=(nodejs)
        ;;
    --fuzzing) packages+=(clang-14 clang libclang-rt-14-dev zlib1g-dev) ;;
    --realsdk) packages+=(clang-14 lld-14 llvm-14 libc++-14-dev) ;;
    --format-only) packages=(clang-format-14) ;;
    *)
        echo "setup-debian.sh: unknown option '$option' (the options are --explorer, --fuzzing, --realsdk and --format-only)" >&2
        exit 2
        ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
