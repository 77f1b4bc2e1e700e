#!/bin/sh
# archive_check.sh WORK MANIFEST WIN32_BUILD
# Packs the SDK archive from the built presets (CPack, as scripts/package.sh
# does), unpacks it into WORK/unpacked and holds its files to the manifest:
# every listed file is there, nothing else is, the images are stripped
# (their debug information stays out), and every line of the manifest
# matches at least one file.
set -eu
work=$1 manifest=$2 win32=$3

rm -rf "$work/package" "$work/unpacked"
mkdir -p "$work/package" "$work/unpacked"
cpack --config "$win32/CPackConfig.cmake" -B "$work/package" >"$work/package/cpack.log" 2>&1 ||
    { cat "$work/package/cpack.log"; exit 1; }
set -- "$work"/package/*.zip
[ $# -eq 1 ] && [ -f "$1" ] || { echo "archive_check: expected one ZIP, found: $*"; exit 1; }
(cd "$work/unpacked" && cmake -E tar xf "$1")

# One top folder, named after the archive.
top=$(basename "$1" .zip)
[ "$(ls "$work/unpacked")" = "$top" ] || { echo "archive_check: top folder is not $top: $(ls "$work/unpacked")"; exit 1; }

set -f  # the manifest's patterns are matched by case, never expanded
patterns=$(grep -v -e '^#' -e '^$' "$manifest")
faults=0
(cd "$work/unpacked/$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$work/files.txt"
while IFS= read -r file; do
    known=0
    for pattern in $patterns; do
        # A pattern's * must not cross a folder.
        case "$file" in $pattern) case "${file#"${pattern%%\**}"}" in */*) ;; *) known=1 ;; esac ;; esac
        [ $known = 1 ] && break
    done
    [ $known = 1 ] || { echo "archive_check: not in the manifest: $file"; faults=1; }
done <"$work/files.txt"
for pattern in $patterns; do
    found=0
    while IFS= read -r file; do
        case "$file" in $pattern) found=1; break ;; esac
    done <"$work/files.txt"
    [ $found = 1 ] || { echo "archive_check: missing: $pattern"; faults=1; }
done
count=$(wc -l <"$work/files.txt")
echo "archive_check: $top.zip holds $count files"
exit $faults
