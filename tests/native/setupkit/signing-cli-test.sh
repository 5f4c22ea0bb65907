#!/usr/bin/env bash
# build signs SETUP.EXE and KXUN32.EXE with osslsigncode as a user asks it to: the disks hold
# signed programs that verify against the signer's CA, a changed byte breaks the signature,
# the same SOURCE_DATE_EPOCH gives the same disks, the password never reaches a command line,
# a wrong one leaves nothing behind.
# Usage: signing-cli-test.sh SETUPKIT SAMPLE-FOLDER SETUP.EXE
# Exits 77 (skipped) when the configuration has no i686 SETUP.EXE or osslsigncode is missing.
set -uo pipefail
setupkit=$1
sample=$2
built_setup=$3
# shellcheck source=/dev/null
source "$(dirname "$0")/cli-test-helpers.sh"

real_signer=$(command -v osslsigncode) || {
  echo "osslsigncode not installed (Debian package osslsigncode): skipped"
  exit 77
}
[ -f "$built_setup" ] || {
  echo "no SETUP.EXE at $built_setup (a build without the Win32 programs): skipped"
  exit 77
}
uninstaller="$(dirname "$(dirname "$(dirname "$built_setup")")")/uninstall/dist/KXUN32.EXE"
# Copies, so that a rebuild of the programs while this runs does not change the inputs.
mkdir -p "$work/programs" "$work/tmp" "$work/bin"
cp -p "$built_setup" "$work/programs/SETUP.EXE"
cp -p "$uninstaller" "$work/programs/KXUN32.EXE"

# A throwaway CA and its code-signing certificate, also as a PKCS#12 file with a password.
pki=$work/pki
mkdir -p "$pki"
password="pass-$RANDOM-word"
{
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$pki/ca.key" -out "$pki/ca.pem" -days 2 \
    -subj "/CN=setupkit test CA" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" &&
    openssl req -newkey rsa:2048 -nodes -keyout "$pki/code.key" -out "$pki/code.csr" \
      -subj "/CN=setupkit test signer" &&
    printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' \
      >"$pki/code.ext" &&
    openssl x509 -req -in "$pki/code.csr" -CA "$pki/ca.pem" -CAkey "$pki/ca.key" \
      -CAcreateserial -out "$pki/code.pem" -days 2 -extfile "$pki/code.ext" &&
    openssl pkcs12 -export -in "$pki/code.pem" -inkey "$pki/code.key" -certfile "$pki/ca.pem" \
      -out "$pki/code.p12" -passout "pass:$password"
} >"$work/pki.log" 2>&1 || {
  cat "$work/pki.log" >&2
  fail "openssl could not make the test certificates"
  finish "signing CLI"
}
printf '%s' "$password" >"$pki/password"

# osslsigncode as build finds it on PATH: logs its arguments, then runs the real one.
cat >"$work/bin/osslsigncode" <<WRAPPER
#!/bin/sh
printf '%s\n' "\$*" >>"$work/signer-arguments.log"
exec "$real_signer" "\$@"
WRAPPER
chmod +x "$work/bin/osslsigncode"
export PATH="$work/bin:$PATH" TMPDIR="$work/tmp" SOURCE_DATE_EPOCH=1700000000

build() { # OUTPUT OPTIONS...: the sample's disks from the copied programs
  local output=$1
  shift
  "$setupkit" build "$sample/product.toml" -o "$work/$output" \
    --setup-exe "$work/programs/SETUP.EXE" --uninstaller "$work/programs/KXUN32.EXE" "$@"
}

verifies() { # PROGRAM: holds against the test CA
  osslsigncode verify -in "$1" -CAfile "$pki/ca.pem" >"$work/verify.log" 2>&1
}

# PKCS#12, its password from an environment variable.
export SIGNING_TEST_PASSWORD=$password
expect_exit 0 "PKCS#12, password from the environment" \
  build env --sign-pkcs12 "$pki/code.p12" --sign-password-env SIGNING_TEST_PASSWORD \
  --sign-name "Sample product" --sign-url https://example.org/sample
verifies "$work/env/disk1/SETUP.EXE" || fail "the disks' SETUP.EXE does not verify"
expect_exit 0 "expand KXUN32.EX_" "$setupkit" expand "$work/env/disk1/KXUN32.EX_" "$work/kxun32.exe"
verifies "$work/kxun32.exe" || fail "the disks' KXUN32.EXE does not verify"
verifies "$work/programs/SETUP.EXE" && fail "the unsigned SETUP.EXE verifies: the check proves nothing"
# The script records the signed uninstaller's size.
"$setupkit" dump "$work/env/disk1/SETUP.INF" >"$work/dump.toml"
grep -A2 '^name = "KXUN32.EXE"' "$work/dump.toml" | grep -qx "size = $(stat -c %s "$work/kxun32.exe")" ||
  fail "SETUP.INF does not record the signed KXUN32.EXE's size"

# One changed byte in the signed code breaks the signature.
cp "$work/env/disk1/SETUP.EXE" "$work/changed.exe"
printf '\x5a' | dd of="$work/changed.exe" bs=1 seek=4096 conv=notrunc status=none
cmp -s "$work/changed.exe" "$work/env/disk1/SETUP.EXE" && fail "the byte was not changed"
verifies "$work/changed.exe" && fail "a SETUP.EXE with a changed byte still verifies"

# The password from a file; the same SOURCE_DATE_EPOCH gives the same disks.
expect_exit 0 "PKCS#12, password from a file" \
  build file --sign-pkcs12 "$pki/code.p12" --sign-password-file "$pki/password" \
  --sign-name "Sample product" --sign-url https://example.org/sample
diff -r "$work/env" "$work/file" >"$work/diff.log" || fail "two builds differ: $(cat "$work/diff.log")"

grep -q -- "-readpass" "$work/signer-arguments.log" || fail "build did not run osslsigncode from PATH"
grep -qF -- "$password" "$work/signer-arguments.log" &&
  fail "the password was on osslsigncode's command line"
[ -z "$(ls -A "$work/tmp")" ] || fail "signing left files in TMPDIR: $(ls "$work/tmp")"

# A wrong password: exit 2 with osslsigncode's reason, no disks, nothing left over.
printf 'not-the-password' >"$work/wrong-password"
expect_exit 2 "wrong password" build wrong --sign-pkcs12 "$pki/code.p12" \
  --sign-password-file "$work/wrong-password"
expect_in err "osslsigncode sign failed" "wrong password"
expect_in err "PKCS#12" "wrong password"
[ -e "$work/wrong" ] && fail "a failed signing left disks"
compgen -G "$work/*setupkit-*" >/dev/null && fail "a failed signing left a partial disk set"
[ -z "$(ls -A "$work/tmp")" ] || fail "a failed signing left files in TMPDIR"

# PEM certificate and key, named in the description's [signing] table (relative paths).
cp -r "$sample" "$work/product"
cp "$pki/code.pem" "$pki/code.key" "$work/product/"
printf '\n[signing]\ncertificate = "code.pem"\nkey = "code.key"\nname = "Sample"\n' \
  >>"$work/product/product.toml"
expect_exit 0 "PEM certificate and key from [signing]" "$setupkit" build \
  "$work/product/product.toml" -o "$work/pem" --setup-exe "$work/programs/SETUP.EXE" \
  --uninstaller "$work/programs/KXUN32.EXE"
verifies "$work/pem/disk1/SETUP.EXE" || fail "SETUP.EXE signed with a PEM key does not verify"
# [signing] is a build setting: the compiled script is the one without it.
"$setupkit" compile "$sample/product.toml" -o "$work/plain.inf" >/dev/null 2>&1
"$setupkit" compile "$work/product/product.toml" -o "$work/signed.inf" >/dev/null 2>&1
cmp -s "$work/plain.inf" "$work/signed.inf" || fail "[signing] changed the compiled script"

# A key on a PKCS#11 token (SoftHSM), its PIN from the environment, where the machine has
# softhsm2, opensc and the OpenSSL PKCS#11 engine (scripts/bootstrap.sh installs them).
softhsm=/usr/lib/softhsm/libsofthsm2.so
if command -v softhsm2-util >/dev/null && command -v pkcs11-tool >/dev/null && [ -f "$softhsm" ]; then
  export SOFTHSM2_CONF=$work/softhsm2.conf SIGNING_TEST_PIN=4321
  mkdir -p "$work/tokens"
  printf 'directories.tokendir = %s\nobjectstore.backend = file\n' "$work/tokens" >"$SOFTHSM2_CONF"
  openssl pkcs8 -topk8 -nocrypt -in "$pki/code.key" -out "$pki/code.pk8"
  { softhsm2-util --init-token --free --label signer --pin 4321 --so-pin 8765 &&
    softhsm2-util --import "$pki/code.pk8" --token signer --label code --id 01 --pin 4321; } \
    >"$work/token.log" 2>&1 || fail "SoftHSM: no token: $(cat "$work/token.log")"
  expect_exit 0 "PKCS#11 key" build token --sign-pkcs11-module "$softhsm" \
    --sign-key "pkcs11:token=signer;object=code;type=private" --sign-cert "$pki/code.pem" \
    --sign-password-env SIGNING_TEST_PIN
  verifies "$work/token/disk1/SETUP.EXE" || fail "SETUP.EXE signed on a token does not verify"
else
  echo "no SoftHSM (softhsm2, opensc): the PKCS#11 case is skipped"
fi

# Incomplete or contradictory settings, and no osslsigncode.
expect_exit 2 "certificate without key" build bad --sign-cert "$pki/code.pem"
expect_in err "needs a key (--sign-key" "certificate without key"
expect_exit 2 "PKCS#12 and key" build bad --sign-pkcs12 "$pki/code.p12" --sign-key "$pki/code.key"
expect_in err "give no other key" "PKCS#12 and key"
expect_exit 2 "no osslsigncode" env PATH="$work/programs" "$setupkit" build "$sample/product.toml" \
  -o "$work/bad" --setup-exe "$work/programs/SETUP.EXE" --sign-cert "$pki/code.pem" \
  --sign-key "$pki/code.key"
expect_in err "Debian package osslsigncode" "no osslsigncode"
[ -e "$work/bad" ] && fail "a refused signing left $work/bad"
# A password given where its variable's name belongs is not repeated in the message.
expect_exit 2 "password for a name" build bad --sign-pkcs12 "$pki/code.p12" \
  --sign-password-env 'Pa55!word'
expect_in err "not the password" "password for a name"
grep -q 'Pa55' "$work/err" && fail "the message repeats the password"
# An unsigned set is verified without osslsigncode, and said to be unsigned.
"$setupkit" build "$sample/product.toml" -o "$work/unsigned" --setup-exe "$work/programs/SETUP.EXE" \
  >/dev/null || fail "building an unsigned set"
expect_exit 0 "unsigned set" env PATH="$work/programs" "$setupkit" verify "$work/unsigned"
expect_in out "signatures: not signed" "unsigned set"

finish "signing CLI"
