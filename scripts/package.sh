#!/bin/sh
# Makes the SDK archive from a clean clone: builds the win32 and win64
# presets (optimised, with debug information), then packs both into
# build/package/qlclapi-<version>-sdk.zip with CPack. The images in the
# archive are stripped; their debug information goes into
# build/package/qlclapi-<version>-sdk-debug.zip beside it, laid out like the
# archive (bin/<arch>/qlclapi.dll.debug, tools/<arch>/*.debug), for crash
# analysis.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh --packages
for preset in win32 win64; do
    echo "package: building the $preset preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

out="$root/build/package"
rm -rf "$out"
mkdir -p "$out"
cpack --config build/win32/CPackConfig.cmake -B "$out" >"$out/cpack.log"
rm -rf "$out/_CPack_Packages"
archive=$(ls "$out"/*.zip)
name=$(basename "$archive" .zip)

stage="$out/debug-stage/$name-debug"
for build in build/win32 build/win64; do
    cmake --install "$build" --component debug --prefix "$stage" >/dev/null
done
(cd "$out/debug-stage" && cmake -E tar cf "$out/$name-debug.zip" --format=zip "$name-debug")
rm -rf "$out/debug-stage"

echo "package: $archive"
# Size and path of every file but the reference's pages.
listing=$(cmake -E tar tvf "$archive" | grep -v '^d' | awk '{print $5 "\t" $NF}')
echo "$listing" | grep -v 'docs/reference/' | sed 's/^/  /'
echo "  and $(echo "$listing" | grep -c 'docs/reference/') files of the reference in docs/reference"
ls -l "$out"/*.zip | awk '{print "package: " $5 " bytes  " $NF}'
