#!/bin/sh
# Builds the emulated x86 machine into TARGET_DIR (made only when the whole
# build succeeded): a Debian 12 amd64 system, whose kernel runs 32-bit code,
# with 32-bit Wine and a ready win32 Wine prefix in /root/wine-x86.
#
#   image.sh TARGET_DIR
#
# Results: TARGET_DIR/base.qcow2 (the disk; runs put a throwaway overlay on
# it), TARGET_DIR/vmlinuz and TARGET_DIR/initrd.img. Needs root, debootstrap,
# qemu-system-x86 and qemu-utils. About 6 minutes, most of it downloading
# and unpacking packages.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/machine.sh"

target=${1:?usage: image.sh TARGET_DIR}
work="$target.building"
root="$work/root"
start=$(date +%s)

step() { echo "image: [$(($(date +%s) - start)) s] $*"; }

# A build that was killed can leave its chroot's file systems mounted;
# removing the folder must not descend into them.
remove_work() {
    for mount in "$root/proc" "$root/sys" "$root/dev/pts"; do
        if mountpoint -q "$mount" 2>/dev/null; then umount -l "$mount"; fi
    done
    rm -rf "$work"
}

cleanup() {
    stop_guest
    remove_work
}
trap cleanup EXIT
trap 'exit 130' INT TERM

remove_work
mkdir -p "$work"

step "installing a minimal Debian 12 with its kernel (debootstrap)"
debootstrap --arch=amd64 --variant=minbase \
    --include=linux-image-amd64,initramfs-tools,kmod,udev,procps \
    bookworm "$root" >"$work/debootstrap.log" 2>&1 || {
    tail -n 30 "$work/debootstrap.log"
    exit 1
}

step "adding the i386 architecture and 32-bit Wine"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount -t devpts devpts "$root/dev/pts"
printf 'virtio_pci\nvirtio_blk\next4\n' >>"$root/etc/initramfs-tools/modules"
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }
in_root dpkg --add-architecture i386
in_root apt-get update -qq
# The host cannot run 32-bit code, so the i386 maintainer scripts that run
# i386 programs fail here; the machine finishes them on its first start.
in_root apt-get install -y -qq --no-install-recommends wine wine32:i386 libwine:i386 \
    >"$work/wine.log" 2>&1 || grep -E '^(E|dpkg): ' "$work/wine.log" | head -n 10 || true
in_root dpkg-query -W -f='${Package}:${Architecture} ${Status}\n' wine32:i386 libwine:i386 wine
in_root update-initramfs -u -k all >/dev/null 2>&1
in_root apt-get clean
rm -rf "$root/var/lib/apt/lists"/*
for mount in "$root/proc" "$root/sys" "$root/dev/pts"; do umount "$mount"; done
install -m 0755 "$here/guest-init" "$root/sbin/qlclapi-guest-init"
mkdir -p "$work/kernel"
cp "$(ls "$root"/boot/vmlinuz-* | tail -n 1)" "$work/kernel/vmlinuz"
cp "$(ls "$root"/boot/initrd.img-* | tail -n 1)" "$work/kernel/initrd.img"

step "making the disk image"
size_mib=$(( $(du -sm "$root" | cut -f1) + 2048 ))
mkfs.ext4 -q -L qlclapi-x86 -d "$root" "$work/disk.raw" "${size_mib}M"
rm -rf "$root"

step "first start: finishing the i386 packages and making the win32 Wine prefix (one to two minutes)"
mkdir -p "$work/share"
cat >"$work/share/job.sh" <<'JOB'
set -u
echo "finishing the packages the host could not configure"
dpkg --configure -a
echo "making the win32 prefix"
export WINEPREFIX=/root/wine-x86 WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot -i
wineserver -w
test -f "$WINEPREFIX/system.reg" && echo "prefix ready"
JOB
run_guest "$work/kernel" "$work/disk.raw" "$work/share" 1800 || {
    status=$?
    echo "image: the first start failed (status $status)"
    tail -n 40 "$work/share/job.log" "$work/share/console.log" 2>/dev/null
    exit 1
}
grep -q "prefix ready" "$work/share/job.log" || { tail -n 40 "$work/share/job.log"; exit 1; }

step "keeping the disk as a qcow2 base"
qemu-img convert -O qcow2 "$work/disk.raw" "$work/base.qcow2"
rm -f "$work/disk.raw"
mkdir -p "$target"
mv "$work/base.qcow2" "$work/kernel/vmlinuz" "$work/kernel/initrd.img" "$target/"
step "done: $(du -sh "$target" | cut -f1) in $target"
