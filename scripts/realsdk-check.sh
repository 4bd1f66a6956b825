#!/usr/bin/env bash
# Builds Nacreen.dlt against a real 3ds Max SDK on Linux, with clang in MSVC mode and lld-link
# (CMake preset max2024-clang-cl), and checks what only the real headers and libraries can show:
#   - every translation unit compiles at /W4 /WX with no warning, and shading/ with no include
#     folder but its own, so without the SDK;
#   - every symbol the plug-in needs resolves: SDK symbols in the SDK libraries CMake links (one
#     found only in another SDK library means that list is short), Win32 in the Windows import
#     libraries, the rest in the C runtime or the toolchain's small runtime, which must define no
#     SDK symbol; a C++ name that resolves nowhere is printed beside the SDK's exports of the same
#     function, which shows a signature mismatch;
#   - the six entry points at their ordinals, and the DLLs the library imports;
#   - LibVersion returns the SDK's own VERSION_3DSMAX.
# The library it links is inspected, never loaded.
#   scripts/realsdk-check.sh [build-dir] [sdk-dir]   (default sdk-dir: ../shared/maxsdk-2024)
# Without an SDK folder it says so in one line and succeeds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-max2024-clang-cl}")
sdk=$(realpath -m "${2:-$root/../shared/maxsdk-2024}")
if [ ! -f "$sdk/include/max.h" ]; then
    echo "realsdk-check: no 3ds Max SDK in $sdk (its include/max.h); skipped"
    exit 0
fi
"$root/scripts/setup-debian.sh" --realsdk

bin=/usr/lib/llvm-14/bin
work=$build/realsdk-check
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

cd "$root"
mkdir -p "$work"
if ! cmake --preset max2024-clang-cl -B "$build" -DNACREEN_MAX_SDK_DIR="$sdk" >"$work/configure.log" 2>&1; then
    cat "$work/configure.log"
    echo "FAILED: configuring against $sdk"
    exit 1
fi

echo "-- compiling at /W4 /WX against $sdk/include"
mapfile -t objects < <(ninja -C "$build" -t targets all |
    sed -n 's|^\(plugin/CMakeFiles/Nacreen\.dir/[^:]*\.obj\):.*|\1|p')
shading=shading/nacreen_shading.lib
if ! ninja -C "$build" "${objects[@]}" "$shading" >"$work/compile.log" 2>&1; then
    cat "$work/compile.log"
    echo "FAILED: the plug-in does not compile against the SDK"
    exit 1
fi
if grep -i "warning" "$work/compile.log"; then
    fail "the compiler warned"
fi
echo "   ${#objects[@]} plug-in sources and shading/ compiled with no warning"
if ninja -C "$build" -t commands "$shading" | grep -q -e "$sdk" -e "headers.yaml"; then
    fail "shading/ is compiled with the SDK's headers; it must need no SDK"
fi
# Nor any folder but its own include/: with a wider one (the project root) it could reach the
# stand-in's headers by path.
others=$(ninja -C "$build" -t commands "$shading" | grep -oE " [-/]I ?[^ ]+" |
    grep -vxF " -I$root/shading/include" | sort -u || true)
if [ -n "$others" ]; then
    fail "shading/ is compiled with include folders beyond its own:" $others
fi

# What the link takes, in its order: the libraries and objects on lld-link's command line.
cd "$build"
read -r -a link_line < <(ninja -t commands plugin/Nacreen.dlt | tail -n 1)
libpaths=()
inputs=()
for word in "${link_line[@]}"; do
    if [[ "$word" == /LIBPATH:* ]]; then
        libpaths+=("${word#/LIBPATH:}")
    elif [[ "$word" =~ ^/[A-Za-z]+: || "$word" == plugin/CMakeFiles/* ]]; then
        continue # an option, or one of the plug-in's own objects
    elif [[ "$word" == *.lib || "$word" == *.obj ]]; then
        inputs+=("$word")
    fi
done
libraries=()
for input in "${inputs[@]}"; do
    path=$input
    for dir in "${libpaths[@]}"; do
        [ -e "$path" ] || path=$dir/$input
    done
    [ -e "$path" ] || fail "the link names $input, which is nowhere"
    path=$(realpath -m "$path")
    [[ " ${libraries[*]} " == *" $path "* ]] || libraries+=("$path")
done

# One line per symbol a library or object defines: "<kind> <file> <symbol>", kind being sdk (an
# SDK library the link takes), other-sdk (one it does not take), crt, runtime, win32 or own. An
# import library defines __imp_NAME and NAME; both count as NAME.
defined() { # kind file
    "$bin/llvm-nm" --defined-only "$2" 2>/dev/null | awk -v kind="$1" -v file="${2##*/}" \
        'NF == 3 && $2 ~ /^[A-Z]$/ { sub(/^__imp_/, "", $3); print kind, file, $3 }'
}
{
    for object in "${objects[@]}"; do defined own "$object"; done
    defined own "$build/$shading"
    for library in "${libraries[@]}"; do
        case "$library" in
        "$sdk"/*) defined sdk "$library" ;;
        */nacreen_shading.lib) ;;
        */vcruntime140.lib | */api-ms-win-crt-*.lib) defined crt "$library" ;;
        *.obj) defined runtime "$library" ;;
        *) defined win32 "$library" ;;
        esac
    done
    for library in "$sdk"/lib/x64/Release/*.lib; do
        [[ " ${libraries[*]} " == *" $library "* ]] || defined other-sdk "$library"
    done
    echo "linker lld-link __ImageBase" # the module's own base address, which the linker defines
} >"$work/definitions"

# Every symbol the plug-in's objects use, with where the link finds it first.
"$bin/llvm-nm" --undefined-only "${objects[@]}" "$build/$shading" 2>/dev/null |
    awk '$1 == "U" { sub(/^__imp_/, "", $2); print $2 }' | sort -u >"$work/needed"
awk 'NR == FNR { if (!($3 in where)) where[$3] = $1 " " $2; next }
     { print ($1 in where ? where[$1] : "none -"), $1 }' \
    "$work/definitions" "$work/needed" | grep -v "^own " >"$work/resolved" || true

echo "-- symbols the plug-in uses, by where they resolve"
awk '{ count[$1 " " $2]++ } END { for (k in count) print "   " k ": " count[k] }' \
    "$work/resolved" | sort
while read -r kind file symbol; do
    case "$kind" in
    other-sdk) fail "$symbol is only in $file, which CMake does not link" ;;
    none)
        fail "nothing defines $symbol: $("$bin/llvm-undname" "$symbol" | sed -n 2p)"
        # The same function, as the SDK exports it: the signatures differ.
        if [[ "$symbol" == \?*@@* ]]; then
            awk -v prefix="${symbol%%@@*}@@" '$1 ~ /sdk$/ && index($3, prefix) == 1 { print $2, $3 }' \
                "$work/definitions" | sort -u | while read -r sdk_file sdk_symbol; do
                echo "   the SDK's $sdk_file exports: $("$bin/llvm-undname" "$sdk_symbol" | sed -n 2p)"
                echo "                          as: $sdk_symbol"
            done
        fi
        ;;
    esac
done <"$work/resolved"
# The toolchain's runtime stands in for the C runtime only; an SDK symbol there would hide one.
while read -r symbol file; do
    fail "the toolchain's runtime defines $symbol, which the SDK's $file exports"
done < <(awk '$1 ~ /sdk$/ { sdk[$3] = $2; next } $1 == "runtime" && ($3 in sdk) { print $3, sdk[$3] }' \
    "$work/definitions")
if [ "$failed" -ne 0 ]; then
    exit 1
fi

echo "-- linking"
if ! ninja plugin/Nacreen.dlt >"$work/link.log" 2>&1; then
    cat "$work/link.log"
    echo "FAILED: Nacreen.dlt does not link"
    exit 1
fi
dlt=$build/plugin/Nacreen.dlt

echo "-- exports"
"$bin/llvm-readobj" --coff-exports "$dlt" |
    awk '/Ordinal:/ { ordinal = $2 } /Name:/ { print ordinal, $2 }' >"$work/exports"
awk 'NF == 2' "$work/exports" | sed 's/^/   /'
slots=(- LibDescription LibNumberClasses LibClassDesc LibVersion "" LibInitialize LibShutdown)
for ordinal in 1 2 3 4 5 6 7; do
    name=$(awk -v ordinal="$ordinal" '$1 == ordinal { print $2 }' "$work/exports")
    [ "$name" = "${slots[ordinal]}" ] ||
        fail "ordinal $ordinal holds \"$name\", expected \"${slots[ordinal]}\""
done
# lld-link starts the table at ordinal 0, which stays empty like 5.
while read -r ordinal name; do
    if [ -n "$name" ] && { [ "$ordinal" -eq 0 ] || { [ "$ordinal" -gt 7 ] && [[ "$name" != \?* ]]; }; }; then
        fail "$name is exported at ordinal $ordinal"
    fi
done <"$work/exports"
echo "   (C++ names beyond 7: inline functions the SDK declares DllExport, which MSVC exports too)"

echo "-- imports (functions per DLL)"
"$bin/llvm-readobj" --coff-imports "$dlt" |
    awk '/^  Name: / { dll = $2 } /Symbol: / { count[dll]++ } END { for (d in count) print d, count[d] }' |
    sort >"$work/imports"
sed 's/^/   /' "$work/imports"
sdk_dlls=" "
for library in "${libraries[@]}"; do
    if [[ "$library" == "$sdk"/* ]]; then
        for dll in $("$bin/llvm-ar" t "$library" | grep -i '\.dll$' | sort -u); do
            sdk_dlls+="${dll,,} "
        done
    fi
done
while read -r dll _; do
    lower=${dll,,}
    case "$lower" in
    kernel32.dll | user32.dll | shell32.dll | gdi32.dll | advapi32.dll | vcruntime140.dll) ;;
    api-ms-win-crt-*.dll) ;;
    *) [[ "$sdk_dlls" == *" $lower "* ]] || fail "imports $dll: neither the SDK, Windows nor the C runtime" ;;
    esac
done <"$work/imports"

echo "-- version stamp"
# The SDK's VERSION_3DSMAX, through the preprocessor with DllEntry.cpp's own command.
read -r -a compile < <(ninja -t commands plugin/CMakeFiles/Nacreen.dir/DllEntry.cpp.obj | tail -n 1)
printf '#include <max.h>\n#include <plugapi.h>\nnacreen_stamp VERSION_3DSMAX\n' >"$work/stamp.cpp"
command=()
for word in "${compile[@]}"; do
    case "$word" in
    /showIncludes | /Fo* | /Fd*) ;;
    -c) break ;;
    *) command+=("$word") ;;
    esac
done
expression=$("${command[@]}" /E -- "$work/stamp.cpp" | sed -n 's/^nacreen_stamp //p')
stamp=$(printf '0x%08x' "$((expression))")
# LibVersion as linked: its first instruction must load that value and the next return.
rva=$("$bin/llvm-readobj" --coff-exports "$dlt" | awk '/Name: LibVersion$/ { found = 1 } found && /RVA:/ { print $2; exit }')
base=$("$bin/llvm-readobj" --file-headers "$dlt" | awk '/ImageBase:/ { print $2 }')
code=$("$bin/llvm-objdump" -d --no-show-raw-insn --start-address=$((base + rva)) \
    --stop-address=$((base + rva + 6)) "$dlt" | grep -E '^ *[0-9a-f]+:' | awk '{ $1 = ""; print }')
if [[ "$code" =~ movl\ +\$[0-9]+,\ +%eax\ +\#\ +imm\ =\ (0x[0-9a-f]+).*retq ]]; then
    returned=$(printf '0x%08x' "$((BASH_REMATCH[1]))")
    echo "   VERSION_3DSMAX of the SDK: $stamp ($expression); LibVersion returns $returned"
    [ "$returned" = "$stamp" ] || fail "LibVersion returns $returned, the SDK's stamp is $stamp"
else
    fail "LibVersion is not a plain return of a constant: $code"
fi

[ "$failed" -eq 0 ] || exit 1
echo "-- Nacreen.dlt against the real SDK: all checks passed"
