# Sourced by scripts/test-x86.sh and scripts/x86/image.sh: boots the emulated
# x86 machine on a disk with a job in a shared folder and waits for it.
#
#   run_guest KERNEL_DIR DISK SHARE_DIR SECONDS
#
# SHARE_DIR holds job.sh; the machine runs it as root, writes its output to
# job.log and its exit status to job.status there, and powers off. Returns
# the job's status (125 when the machine stopped without one, 124 when it
# ran out of time). The host has no hardware virtualisation: the machine
# is emulated, two virtual CPUs on two host threads.

guest_pid=""
ticker_pid=""

stop_guest() {
    [ -z "$ticker_pid" ] || kill "$ticker_pid" 2>/dev/null || true
    if [ -n "$guest_pid" ]; then
        kill "$guest_pid" 2>/dev/null || true
        wait "$guest_pid" 2>/dev/null || true
        guest_pid=""
    fi
}

run_guest() {
    kernel_dir=$1 disk=$2 share=$3 seconds=$4
    format=raw
    case "$disk" in *.qcow2) format=qcow2 ;; esac
    rm -f "$share/job.status" "$share/job.log" "$share/console.log"
    # -smap: the guest kernel oopses when 32-bit code returns from an
    # interrupt on an emulated CPU with SMAP.
    timeout --kill-after=20 "$seconds" qemu-system-x86_64 \
        -accel tcg,thread=multi -smp 2 -m 2048 -cpu max,-smap \
        -nodefaults -display none -no-reboot -nic none \
        -serial "file:$share/console.log" \
        -kernel "$kernel_dir/vmlinuz" -initrd "$kernel_dir/initrd.img" \
        -append "root=/dev/vda rw console=ttyS0 quiet panic=-1 init=/sbin/qlclapi-guest-init" \
        -drive "file=$disk,format=$format,if=virtio,cache=unsafe,discard=unmap" \
        -virtfs "local,path=$share,mount_tag=share,security_model=none,id=share" &
    guest_pid=$!
    # Progress: the job's latest line every half minute.
    (
        elapsed=0
        while sleep 30; do
            elapsed=$((elapsed + 30))
            echo "x86: ${elapsed} s: $(tail -n 1 "$share/job.log" 2>/dev/null | cut -c1-100)"
        done
    ) &
    ticker_pid=$!
    status=0
    wait "$guest_pid" || status=$?
    kill "$ticker_pid" 2>/dev/null || true
    wait "$ticker_pid" 2>/dev/null || true
    guest_pid=""
    [ "$status" -eq 124 ] && return 124
    [ -s "$share/job.status" ] || return 125
    return "$(cat "$share/job.status")"
}
