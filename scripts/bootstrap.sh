#!/usr/bin/env bash
# Installs every Debian package that the builds and the tests need. Idempotent.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3
  g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-tools
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils imagemagick
  mscompress libmspack-dev mtools osslsigncode openssl
  softhsm2 opensc libengine-pkcs11-openssl
  googletest libgtest-dev libtomlplusplus-dev libcli11-dev libfmt-dev
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_i386=1
else
  need_i386=0
fi
# One query for all packages (one each took seconds): "name arch" of each installed one.
native=$(dpkg --print-architecture)
declare -A installed=()
while read -r name arch status; do
  [ "$status" = ii ] && installed["$name:$arch"]=1
done < <(dpkg-query -W -f='${Package} ${Architecture} ${db:Status-Abbrev}\n' \
  "${packages[@]}" 2>/dev/null || true)
for p in "${packages[@]}"; do
  name=${p%%:*}
  arch=${p#*:}
  if [ "$arch" != "$p" ]; then
    [ -n "${installed[$name:$arch]:-}" ] || missing+=("$p")
  else
    [ -n "${installed[$name:$native]:-}${installed[$name:all]:-}" ] || missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ]; then
  echo "bootstrap: all packages present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
[ $need_i386 -eq 1 ] && $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "bootstrap: installed ${missing[*]}"
