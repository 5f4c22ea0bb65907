#!/usr/bin/env bash
# The package as a user gets it: cpack makes the .deb and the .tar.gz of the build; the .deb is
# unpacked into a scratch root as dpkg places its files, and its setupkit builds the sample's
# disks with the SETUP.EXE and KXUN32.EXE it finds beside itself and tests them under Wine.
#   package-test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(find "$scratch/out" -maxdepth 1 -name '*.deb' -print -quit)
tgz=$(find "$scratch/out" -maxdepth 1 -name '*.tar.gz' -print -quit)
[ -n "$deb" ] && [ -n "$tgz" ] || fail "no .deb and .tar.gz in $(ls "$scratch/out")"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in wine xvfb libstdc++6; do
    grep -qw "$needed" <<<"$depends" || fail "the .deb does not depend on $needed: $depends"
done

dpkg-deb -x "$deb" "$scratch/root" || fail "dpkg-deb -x failed"
usr="$scratch/root/usr"
for file in bin/setupkit share/setupkit/SETUP.EXE share/setupkit/KXUN32.EXE \
    share/setupkit/e2e_driver.exe share/doc/setupkit/uninstall.md \
    share/doc/setupkit/examples/sample/product.toml; do
    [ -f "$usr/$file" ] || fail "the .deb has no $file"
done
tar -tzf "$tgz" | grep -q '/bin/setupkit$' || fail "the .tar.gz has no bin/setupkit"

# The installed tool, away from the build tree, with the sample as installed.
cp -r "$usr/share/doc/setupkit/examples/sample" "$scratch/sample"
"$usr/bin/setupkit" build "$scratch/sample/product.toml" -o "$scratch/disks" \
    >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; fail "setupkit build failed"; }
for file in SETUP.EXE SETUP.INF KXUN32.EX_; do
    [ -f "$scratch/disks/disk1/$file" ] || fail "disk 1 has no $file"
done
cmp -s "$scratch/disks/disk1/SETUP.EXE" "$usr/share/setupkit/SETUP.EXE" ||
    fail "disk 1's SETUP.EXE is not the installed one"
# The shipped programs are 32-bit on every host.
grep -q '^SETUP.EXE: .*(32-bit, i386)$' "$scratch/build.log" ||
    fail "the package's SETUP.EXE is not the 32-bit one: $(grep '^SETUP.EXE' "$scratch/build.log")"
# `setupkit test` of the installed tool: the autopilot installs the sample under Wine; where this
# host runs no 32-bit programs, with the package's x86-64 programs, reported as not for release.
"$usr/bin/setupkit" test "$scratch/sample/product.toml" --work "$scratch/test" --timeout 120 \
    >"$scratch/test.log" 2>&1 || { cat "$scratch/test.log"; fail "setupkit test failed"; }
grep -q 'Install: PASSED' "$scratch/test.log" || { cat "$scratch/test.log"; fail "no PASSED install"; }
if [ "$(bash "$source/tests/wine/wine-arch.sh")" = win64 ]; then
    grep -q 'not for release' "$scratch/test.log" || fail "the x86-64 run is not marked"
fi
echo "package-test: the .deb installs setupkit, which builds and tests the sample with its own programs"
