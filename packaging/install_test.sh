#!/usr/bin/env bash
# The build tree installed into a scratch prefix and used as a user would:
# the C example built against it through pkg-config and through CMake's
# find_package, the data found from the installed tree, and every program's
# --version, --help, man page and exit codes on bad input.
#   install_test.sh SOURCE_DIR BINARY_DIR SCRATCH
set -euo pipefail
source_dir="$1"
binary_dir="$2"
scratch="$3"
if [[ ! -f "$binary_dir/fastt2p/summary.txt" ]]; then
  echo "the build wrote no fastt2p; skipped"
  exit 77
fi
rm -rf "$scratch"
mkdir -p "$scratch/elsewhere"
printf "hello\n" >"$scratch/elsewhere/words.txt"
prefix="$scratch/prefix"
cmake --install "$binary_dir" --prefix "$prefix" >/dev/null
version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
data="$prefix/share/phonwright/fastt2p"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect CODE COMMAND...: runs COMMAND from an empty folder, its exit code must be CODE.
expect() {
  local code="$1"; shift
  local actual=0
  (cd "$scratch/elsewhere" && "$@") >"$scratch/out" 2>"$scratch/err" </dev/null || actual=$?
  [[ "$actual" == "$code" ]] || fail "$* exited $actual, not $code: $(head -c 300 "$scratch/err")"
}

# The C example through pkg-config and through find_package.
example="$source_dir/docs/examples/phonwright_example.c"
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
[[ "$(pkg-config --modversion phonwright)" == "$version" ]] || fail "pkg-config --modversion phonwright"
# shellcheck disable=SC2046
cc -Wall -Werror -o "$scratch/example-pc" "$example" $(pkg-config --cflags --libs phonwright) \
   -Wl,-rpath,"$prefix/lib" || fail "the example does not build through pkg-config"
expect 0 "$scratch/example-pc" "$data" "hello"
grep -q '[0-9]' "$scratch/out" || fail "the pkg-config example printed no codes"
cmake -S "$source_dir/docs/examples" -B "$scratch/example-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
      >"$scratch/cmake.log" 2>&1 || { cat "$scratch/cmake.log"; fail "find_package(Phonwright)"; }
cmake --build "$scratch/example-cmake" >"$scratch/cmake.log" 2>&1 || { cat "$scratch/cmake.log"; fail "the CMake example"; }
expect 0 "$scratch/example-cmake/phonwright_example" "$data" "hello"
readelf -d "$prefix/lib/libphonwright.so" | grep -q 'SONAME.*libphonwright\.so\.1' || fail "soname"

# Every program: its version, its help, its man page, a bad option.
for program in quillon quillon-cli quillon-devsim phonwright phonwright-mkdata phonwright-train phonwright-eval; do
  expect 0 env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --version
  [[ "$(cat "$scratch/out")" == "$program $version" ]] || fail "$program --version says $(cat "$scratch/out")"
  expect 0 env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --help
  grep -qi 'usage' "$scratch/out" || fail "$program --help shows no usage"
  grep -q -- '--version' "$scratch/out" || fail "$program --help does not mention --version"
  [[ -s "$prefix/share/man/man1/$program.1.gz" ]] || fail "no man page for $program"
  zcat "$prefix/share/man/man1/$program.1.gz" | grep -q '^\.SH DESCRIPTION' || fail "the man page of $program"
  expect 2 env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --no-such-option
done
expect 1 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quillon"
grep -q 'no display' "$scratch/err" || fail "quillon without a display: $(cat "$scratch/err")"

# One data lookup: without --data the installed data is found from anywhere;
# --data relative to the current directory; a folder that does not load is exit 1.
expect 0 "$prefix/bin/phonwright" convert hello
grep -q '^complete: yes' "$scratch/out" || fail "phonwright found no data from the installed tree"
[[ ! -s "$scratch/err" ]] || fail "phonwright printed the engine's start-up text without -v: $(cat "$scratch/err")"
expect 0 "$prefix/bin/phonwright" -v convert hello
[[ -s "$scratch/err" ]] || fail "phonwright -v printed no start-up text"
expect 0 "$prefix/bin/phonwright" --data="../prefix/share/phonwright/fastt2p" convert hello
expect 1 "$prefix/bin/phonwright" --data /nonexistent convert x
expect 2 "$prefix/bin/phonwright" convert --lang Mars x
expect 1 "$prefix/bin/phonwright" dic words.txt no-such-folder/out.dic
expect 1 "$prefix/bin/phonwright-eval" english --data /nonexistent --test words.txt
"$source_dir/scripts/demo-workspace" "$scratch/workspace" "$data" >/dev/null
rm "$scratch/workspace/fastt2p"
expect 0 "$prefix/bin/quillon-cli" check --workspace="$scratch/workspace" -q
grep -q 'Everything would download' "$scratch/out" || fail "quillon-cli check on the installed data: $(tail -3 "$scratch/err")"
expect 1 "$prefix/bin/quillon-cli" --data /nonexistent --workspace "$scratch/workspace" check
expect 1 "$prefix/bin/quillon-cli" --workspace "$scratch/workspace" build-image no-such-folder/image.bin
grep -q 'no-such-folder' "$scratch/err" || fail "build-image does not name the missing folder"
! grep -q 'measured' "$scratch/err" || fail "build-image worked before it checked its output"
expect 0 "$prefix/bin/quillon-cli" --workspace "$scratch/workspace" check --help
grep -q 'check' "$scratch/out" || fail "check --help"

# The rest of the installation.
for file in share/doc/quillon/copyright share/bash-completion/completions/quillon-cli \
            share/bash-completion/completions/phonwright share/applications/quillon.desktop \
            lib/cmake/Phonwright/PhonwrightConfigVersion.cmake lib/udev/rules.d/70-quillon.rules; do
  [[ -s "$prefix/$file" ]] || fail "$file is not installed"
done
grep -q 'Carnegie Mellon University' "$prefix/share/doc/quillon/copyright" || fail "the CMU notice"

if ((failures)); then echo "$failures failures"; exit 1; fi
echo "installed tree: all checks passed"
