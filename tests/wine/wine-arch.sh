#!/usr/bin/env bash
# Prints the Wine architecture the tests use on this host: win32 where 32-bit programs run,
# win64 where the host cannot execute 32-bit code at all (some virtual machines). There the
# Win32 configuration is built for x86-64 and runs in a 64-bit prefix.
if /usr/lib/wine/wine --version >/dev/null 2>&1 </dev/null; then
    echo win32
else
    echo win64
fi
