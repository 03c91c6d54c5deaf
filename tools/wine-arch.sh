#!/usr/bin/env bash
# Prints the Windows architecture whose programs this machine's Wine can run
# directly: i686 where the kernel runs 32-bit code, x86_64 where it does not
# (some kernels are booted with 32-bit emulation switched off).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo i686
else
    echo x86_64
fi
