#!/usr/bin/env bash
# Compressed size and time of `setupkit compress` against Debian's mscompress on the same
# inputs, side by side. Both outputs are checked with msexpand before their figures count.
#   bench/lz-vs-mscompress.sh [SETUPKIT] [SETUP.EXE]
# Defaults: build/native/tools/setupkit/setupkit and the SETUP.EXE of that build.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
setupkit=${1:-$root/build/native/tools/setupkit/setupkit}
setup_exe=${2:-$(dirname "$setupkit")/../../win32/src/shell/SETUP.EXE}
[ -x "$setupkit" ] || { echo "no setupkit at $setupkit (build it first)" >&2; exit 1; }
command -v mscompress >/dev/null || { echo "mscompress is missing (scripts/bootstrap.sh)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Typical installer contents: licence and documentation text, C headers, executables with and
# without debug information, a picture.
inputs=()
add() { [ -s "$work/$1" ] && inputs+=("$1"); }
cat /usr/share/common-licenses/* > "$work/licenses.txt" 2>/dev/null || true; add licenses.txt
find /usr/share/doc -name copyright -type f | sort | head -400 | xargs cat > "$work/copyrights.txt" 2>/dev/null || true
add copyrights.txt
cat /usr/include/*.h > "$work/headers.h" 2>/dev/null || true; add headers.h
if [ -f "$setup_exe" ]; then
  cp "$setup_exe" "$work/setup-debug.exe"; add setup-debug.exe
  if command -v i686-w64-mingw32-strip >/dev/null; then
    i686-w64-mingw32-strip -o "$work/setup.exe" "$setup_exe"; add setup.exe
  fi
fi
cp "$(command -v cmake)" "$work/cmake.elf"; add cmake.elf
if command -v convert >/dev/null; then
  convert logo: -type palette "BMP3:$work/picture.bmp" 2>/dev/null || true
  add picture.bmp
fi

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f%%", 100 * a / b }'; }

printf '%-16s %10s | %10s %7s %7s | %10s %7s %7s | %s\n' input bytes ours ratio secs \
  mscompress ratio secs "ours vs mscompress"
total_in=0 total_ours=0 total_ms=0
for name in "${inputs[@]}"; do
  f="$work/$name"
  size=$(stat -c %s "$f")

  t0=$(now); "$setupkit" compress "$f" "$f.ours"; t1=$(now)
  cp "$f" "$f.m"
  t2=$(now); mscompress "$f.m"; t3=$(now)

  ours=$(stat -c %s "$f.ours")
  theirs=$(stat -c %s "$f.m_")
  note=""
  msexpand < "$f.ours" 2>/dev/null | cmp -s - "$f" || note=" OURS DO NOT EXPAND"
  msexpand < "$f.m_" 2>/dev/null | cmp -s - "$f" || note="$note (mscompress's output does not expand)"
  printf '%-16s %10d | %10d %7s %7s | %10d %7s %7s | %s%s\n' "$name" "$size" \
    "$ours" "$(ratio "$ours" "$size")" "$(seconds "$t0" "$t1")" \
    "$theirs" "$(ratio "$theirs" "$size")" "$(seconds "$t2" "$t3")" \
    "$(ratio "$ours" "$theirs")" "$note"
  total_in=$((total_in + size)); total_ours=$((total_ours + ours)); total_ms=$((total_ms + theirs))
  rm -f "$f.ours" "$f.m" "$f.m_"
done
printf '%-16s %10d | %10d %7s %7s | %10d %7s %7s | %s\n' total "$total_in" "$total_ours" \
  "$(ratio "$total_ours" "$total_in")" "" "$total_ms" "$(ratio "$total_ms" "$total_in")" "" \
  "$(ratio "$total_ours" "$total_ms")"
