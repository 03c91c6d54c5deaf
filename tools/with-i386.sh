#!/usr/bin/env bash
# Runs a command with i386 Linux programs runnable, so that Wine's 32-bit
# loader can start the shipped program:  with-i386.sh COMMAND...
# Where the kernel runs 32-bit code this changes nothing. Where it does not
# (some kernels are booted with 32-bit emulation switched off), binfmt_misc
# gets a handler that runs i386 ELF files under Debian's qemu-i386-static,
# mounted first where it is not; the handler is removed again when the
# command ends, also on failure. That needs root; without it the command is
# skipped with a message.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binfmt=/proc/sys/fs/binfmt_misc
handler=quorbel-i386

if [[ $("$here/wine-arch.sh") == i686 ]]; then
    exec "$@"
fi
# Named as skipped, never passed: the suites before it ran on the twin.
if [[ ! -x /usr/lib/wine/wine ]]; then
    echo "SKIPPED: the shipped i386 program and setup: no 32-bit Wine here (wine32:i386 could not be installed; 'make deps' says why)"
    exit 0
fi
if [[ $(id -u) -ne 0 || ! -x /usr/bin/qemu-i386-static ]]; then
    echo "SKIPPED: the shipped i386 program and setup: they need root and qemu-i386-static on this kernel"
    exit 0
fi
[[ -e $binfmt/register ]] || mount -t binfmt_misc binfmt_misc "$binfmt"
trap '[[ ! -e $binfmt/$handler ]] || echo -1 >"$binfmt/$handler"' EXIT
# ELF class 32, little-endian, executables and shared objects for machine 3.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
[[ -e $binfmt/$handler ]] ||
    echo ":$handler:M::$magic:$mask:/usr/bin/qemu-i386-static:F" >"$binfmt/register"
echo "i386 programs run under qemu-i386-static until this pass ends"
"$@"
