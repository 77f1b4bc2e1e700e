#!/bin/sh
# msvc_consumers.sh WORK WIN64_BUILD SOURCE_DIR EXPORT_COUNT
# The Microsoft-format import libraries of the unpacked SDK, used as a
# Microsoft toolchain uses them: clang compiles for the MSVC ABI and lld-link
# links against lib/<arch>/qlclapi.lib, without a C runtime (none is
# installed here), so the program's entry point is its own. The x86 program
# references _Name@bytes for the stdcall twins and links only when the
# import library names them so; the x64 one runs under Wine, which starts it
# only when every import resolves in qlclapi.dll.
set -eu
work=$1 win64=$2 source=$3 count=$4
sdk=$(echo "$work"/unpacked/*)

for arch in x64 x86; do
    case $arch in x64) target=x86_64-pc-windows-msvc machine=x64 ;; x86) target=i686-pc-windows-msvc machine=x86 ;; esac
    build="$work/msvc-$arch"
    rm -rf "$build" && mkdir -p "$build"
    for file in "$source/tests/abi/sdk/consumer/every_export.c" "$work/every_export_table.c"; do
        clang --target=$target -ffreestanding -fno-stack-protector -O1 -Wall -Werror \
            -DQLCLAPI_NO_CRT -DEXPORT_COUNT="$count" -I"$sdk/include" \
            -c "$file" -o "$build/$(basename "$file" .c).obj"
    done
    lld-link /nologo /nodefaultlib /entry:start /subsystem:console /machine:$machine \
        /out:"$build/every_export.exe" "$build/every_export.obj" "$build/every_export_table.obj" \
        "$sdk/lib/$arch/qlclapi.lib"
    echo "msvc_consumers: $arch linked with lld-link"
done

cp "$sdk/bin/x64/qlclapi.dll" "$work/msvc-x64/"
status=0
"$source/scripts/wine.sh" run "$win64" "$work/msvc-x64/every_export.exe" || status=$?
[ $status = 0 ] || { echo "msvc_consumers: the x64 program did not start or lacks exports (exit $status)"; exit 1; }
echo "msvc_consumers: the x64 program resolved all $count exports under Wine"
