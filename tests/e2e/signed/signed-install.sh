#!/usr/bin/env bash
# A signed release as Windows users get it: the sample built with a throwaway code-signing
# certificate and verified against its CA; the signed SETUP.EXE installs it under Wine and the
# signed KXUN32.EXE removes it. The release is built from the shipped 32-bit programs; where
# Wine runs no 32-bit programs, the programs the tests run are signed the same way and install.
#   signed-install.sh SETUPKIT SHIPPED_SETUP.EXE TESTED_SETUP.EXE SAMPLE_PRODUCT WORK
set -uo pipefail
setupkit=$1 shipped_exe=$2 setup_exe=$3 sample=$4 work=$5
source "$(dirname "${BASH_SOURCE[0]}")/../unattended-lib.sh"

rm -rf "$work" "$drive_c/SIGNED" && mkdir -p "$work" "$drive_c/SIGNED"
# A CA and a code-signing certificate it issued.
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=Test-CA -days 2 \
    -keyout "$work/ca.key" -out "$work/ca.pem" 2>/dev/null || exit 1
openssl req -newkey rsa:2048 -nodes -subj /CN=Test-Signer \
    -keyout "$work/signer.key" -out "$work/signer.csr" 2>/dev/null || exit 1
printf 'extendedKeyUsage=codeSigning\n' >"$work/signer.ext"
openssl x509 -req -in "$work/signer.csr" -CA "$work/ca.pem" -CAkey "$work/ca.key" \
    -CAcreateserial -days 2 -extfile "$work/signer.ext" -out "$work/signer.pem" 2>/dev/null ||
    exit 1

sign() { # sign SETUP.EXE DISKS [OPTIONS...]
    "$setupkit" build "$sample" -o "$2" --setup-exe "$1" --sign-cert "$work/signer.pem" \
        --sign-key "$work/signer.key" "${@:3}" >"$work/build.log" 2>&1
}
release=$work/release
sign "$shipped_exe" "$release" --verify-ca "$work/ca.pem" ||
    { cat "$work/build.log"; fail "the signed build did not verify against its CA"; }
"$setupkit" verify "$release" --ca "$work/ca.pem" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log"; fail "the set does not verify against its CA"; }
grep -qx 'signatures: SETUP.EXE, KXUN32.EXE: sound' "$work/verify.log" ||
    fail "verify did not check both signatures"
# Another CA's certificates do not vouch for it, nor do the system's.
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=Other-CA -days 2 \
    -keyout "$work/other.key" -out "$work/other.pem" 2>/dev/null
"$setupkit" verify "$release" --ca "$work/other.pem" >"$work/other.log" 2>&1
[ $? -eq 1 ] || fail "a set signed by another CA verified"
"$setupkit" verify "$release" >"$work/system.log" 2>&1
[ $? -eq 1 ] || fail "a set signed by a private CA verified against the system's CAs"

# The programs the tests run: the release itself, or the x86-64 build signed the same way.
if cmp -s "$shipped_exe" "$setup_exe"; then
    cp -r "$release" "$drive_c/SIGNED/disks"
else
    sign "$setup_exe" "$drive_c/SIGNED/disks" || { cat "$work/build.log"; fail "signing the x86-64 set"; }
fi

"$wine_run" 'C:\SIGNED\disks\disk1\SETUP.EXE' /silent '/log:C:\SIGNED\install.log'
code=$?
[ $code -eq 0 ] || { cat "$drive_c/SIGNED/install.log"; fail "the signed SETUP.EXE: exit code $code"; }
app="$drive_c/Program Files/Sample Notepad"
cmp -s "$app/README.TXT" "$(dirname "$sample")/files/readme.txt" || fail "README.TXT not installed"
remove_quietly 'Sample Notepad' # by the signed KXUN32.EXE
[ ! -e "$app" ] || fail "the removal left $app"

rm -rf "$drive_c/SIGNED"
finish "signed install"
