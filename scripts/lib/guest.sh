# A Debian 12 guest with 32-bit Wine, for running the 32-bit Windows program on machines whose
# kernel runs no 32-bit code. The guest boots its own kernel under QEMU's pure emulation; its disk
# image is built once and cached outside the clone, keyed by a hash of its recipe.

# What the host needs to build and boot the guest.
GUEST_HOST_PACKAGES=(qemu-system-x86 debootstrap e2fsprogs imagemagick coreutils)

# What the guest holds besides the minimal base system. Wine's display driver loads the X
# libraries only when present, and fonts only come with the packages it merely recommends.
GUEST_PACKAGES=(linux-image-amd64 kmod procps locales
                wine wine32 fonts-wine
                libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxfixes3:i386
                libxinerama1:i386 libxcomposite1:i386 libfreetype6:i386 libfontconfig1:i386
                xvfb x11-apps x11-utils)

# QUADRELL_GUEST_CACHE keeps a second recipe's image apart from the first (a branch under work).
GUEST_CACHE=${QUADRELL_GUEST_CACHE:-/var/cache/quadrell}
GUEST_SUITE=bookworm

# The files whose content makes the image: this one, the guest's init and the prefix's recipe.
guest_recipe_files() {
    echo scripts/lib/guest.sh scripts/lib/guest-init tests/win32/wine_prefix.sh
}

guest_dir() {
    local hash
    hash="$(cat $(guest_recipe_files) | sha256sum | cut -c1-16)"
    echo "$GUEST_CACHE/guest-$hash"
}

# The Debian archives this machine's apt already uses, as sources lines for the guest, so that
# the guest is built from the same mirror without naming one.
guest_sources() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' \
        | sort -u | awk -v suite="$GUEST_SUITE" '$2 == suite || $2 == suite "-updates" || $2 == suite "-security" {
              print "deb " $1 " " $2 " main" }'
}

guest_mirror() {
    guest_sources | awk -v suite="$GUEST_SUITE" '$3 == suite { print $2; exit }'
}

# build_guest_rootfs DIR: the guest's root file system, made without loop mounts.
build_guest_rootfs() {
    local root="$1" mirror
    mirror="$(guest_mirror)"
    [ -n "$mirror" ] || { echo "No Debian $GUEST_SUITE archive among apt's sources" >&2; return 1; }
    debootstrap --variant=minbase --arch=amd64 "$GUEST_SUITE" "$root" "$mirror" > "$root.debootstrap.log" 2>&1 \
        || { tail -20 "$root.debootstrap.log" >&2; return 1; }
    guest_sources > "$root/etc/apt/sources.list"
    # No service starts inside the build.
    printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
    chmod +x "$root/usr/sbin/policy-rc.d"
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    local status=0
    guest_install "$root" || status=$?
    umount "$root/dev" "$root/proc"
    return $status
}

guest_install() {
    local root="$1"
    chroot "$root" dpkg --add-architecture i386
    chroot "$root" apt-get update -q > /dev/null
    chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${GUEST_PACKAGES[@]}" > "$root.install.log" 2>&1 || { tail -20 "$root.install.log" >&2; return 1; }
    # The regional-settings tests run in Italian.
    echo "it_IT.UTF-8 UTF-8" > "$root/etc/locale.gen"
    chroot "$root" locale-gen > /dev/null
    chroot "$root" apt-get clean
    rm -rf "$root"/var/lib/apt/lists/* "$root/usr/sbin/policy-rc.d"
    install -m 755 scripts/lib/guest-init "$root/sbin/quadrell-init"
    mkdir -p "$root/opt/quadrell" "$root/host"
    install -m 755 tests/win32/wine_prefix.sh "$root/opt/quadrell/wine_prefix.sh"
}

# build_guest_disk ROOT IMAGE: an ext4 image of ROOT with room for the Wine prefix and the runs.
build_guest_disk() {
    local root="$1" image="$2" megabytes
    megabytes=$(( $(du -sm "$root" | cut -f1) + 1500 ))
    rm -f "$image"
    truncate -s "${megabytes}M" "$image"
    mkfs.ext4 -q -F -L quadrell -d "$root" "$image"
}

# guest_qemu DIR MODE SHARE CONSOLE [snapshot] [KERNEL-ARGUMENT...]: sets GUEST_QEMU to the command
# that boots the guest of DIR, which runs MODE ("prepare" or "serve") with SHARE as its
# /host, and writes its console to CONSOLE; with "snapshot", its changes to the image are
# discarded.
guest_qemu() {
    local dir="$1" mode="$2" share="$3" console="$4" snapshot="${5:-}"
    local drive="file=$dir/disk.img,format=raw,if=virtio,cache=unsafe"
    [ "$snapshot" = snapshot ] && drive+=",snapshot=on"
    # KVM here runs only specially built guest kernels, and with SMAP every 32-bit Wine process
    # dies at its first return to user mode: pure emulation, without SMAP.
    GUEST_QEMU=(qemu-system-x86_64 -accel tcg,thread=multi -cpu max,-smap -m 2G -smp 2
        -nodefaults -no-user-config -display none -no-reboot
        -serial "file:$console"
        -kernel "$dir/vmlinuz" -initrd "$dir/initrd.img"
        -append "root=/dev/vda rw console=ttyS0 init=/sbin/quadrell-init quadrell.mode=$mode quiet ${*:6}"
        -drive "$drive"
        -device virtio-rng-pci
        -virtfs "local,path=$share,mount_tag=host,security_model=none,id=host")
}

# boot_guest DIR MODE SHARE SECONDS [snapshot]: boots the guest, which runs MODE with SHARE as its
# /host, and powers off. QEMU is killed after SECONDS.
boot_guest() {
    guest_qemu "$1" "$2" "$3" "$3/console.log" "${5:-}"
    timeout --kill-after=10 "$4" "${GUEST_QEMU[@]}" < /dev/null
}

# ensure_guest_image: prints the directory of the cached guest, building it when its recipe changed.
# One build at a time: a second caller waits, then finds the image ready.
ensure_guest_image() {
    mkdir -p "$GUEST_CACHE"
    (
        flock 9
        ensure_guest_image_unlocked
    ) 9> "$GUEST_CACHE/lock"
}

ensure_guest_image_unlocked() {
    local dir started
    dir="$(guest_dir)"
    if [ -f "$dir/ready" ]; then
        echo "Guest image: cached in $dir" >&2
        echo "$dir"
        return 0
    fi
    mkdir -p "$GUEST_CACHE"
    # Images of older recipes are of no further use.
    find "$GUEST_CACHE" -maxdepth 1 -name 'guest-*' -not -path "$dir" -exec rm -rf --one-file-system {} +
    rm -rf --one-file-system "$dir" "$dir.root"
    mkdir -p "$dir"
    started=$SECONDS
    echo "Guest image: building the root file system (about 4 min)" >&2
    build_guest_rootfs "$dir.root" || return 1
    echo "Guest image: root file system in $((SECONDS - started)) s" >&2
    started=$SECONDS
    cp "$(ls "$dir.root"/boot/vmlinuz-* | tail -1)" "$dir/vmlinuz"
    cp "$(ls "$dir.root"/boot/initrd.img-* | tail -1)" "$dir/initrd.img"
    build_guest_disk "$dir.root" "$dir/disk.img" || return 1
    rm -rf --one-file-system "$dir.root"
    echo "Guest image: disk image in $((SECONDS - started)) s" >&2
    # The Wine prefix is made once, in a boot that writes to the image itself.
    started=$SECONDS
    echo "Guest image: creating the 32-bit Wine prefix in the guest (1 to 3 min)" >&2
    local share="$dir/prepare"
    mkdir -p "$share"
    boot_guest "$dir" prepare "$share" 600 || true
    if [ ! -f "$share/prefix-ready" ]; then
        echo "Guest image: the guest did not create its Wine prefix; its console:" >&2
        tail -30 "$share/console.log" >&2
        return 1
    fi
    echo "Guest image: booted and made the prefix in $((SECONDS - started)) s" >&2
    touch "$dir/ready"
    echo "$dir"
}
