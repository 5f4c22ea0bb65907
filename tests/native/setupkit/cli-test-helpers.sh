# Shared by the setupkit CLI test scripts (source it): a work folder removed on exit, and
# checks that count failures instead of stopping at the first.
#   fail MESSAGE                   counts a failure
#   expect_exit CODE NAME CMD...   runs CMD with stdout and stderr to $work/out and $work/err
#   expect_in FILE TEXT NAME       $work/FILE holds TEXT
#   finish NAME                    exits 1 when a check failed, 0 otherwise
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expect_exit() {
  local code=$1 name=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err" </dev/null
  local got=$?
  if [ "$got" -ne "$code" ]; then
    fail "$name: exit $got, expected $code"
    sed 's/^/  | /' "$work/err" >&2
  fi
}

expect_in() {
  local file=$1 text=$2 name=$3
  grep -qF -- "$text" "$work/$file" || {
    fail "$name: $file lacks '$text'"
    sed 's/^/  | /' "$work/$file" >&2
  }
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$1: $failures check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}
