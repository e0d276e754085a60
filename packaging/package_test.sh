#!/usr/bin/env bash
# The Debian package: cpack -G DEB from the build tree, its contents and
# dependencies, and lintian without errors.
#   package_test.sh BINARY_DIR SCRATCH
set -euo pipefail
binary_dir="$1"
scratch="$2"
if [[ ! -f "$binary_dir/fastt2p/summary.txt" ]]; then
  echo "the build wrote no fastt2p; skipped"
  exit 77
fi
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/bootstrap); skipped"; exit 77; }
done
rm -rf "$scratch"
mkdir -p "$scratch"
(cd "$binary_dir" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; exit 1; }
package=$(ls "$scratch"/*.deb)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

dpkg-deb --contents "$package" | awk '{print $6}' >"$scratch/contents"
for file in bin/quillon bin/quillon-cli bin/quillon-devsim bin/phonwright bin/phonwright-mkdata \
            bin/phonwright-train bin/phonwright-eval lib/libphonwright.so.1 include/phonwright.h \
            lib/pkgconfig/phonwright.pc lib/cmake/Phonwright/PhonwrightConfig.cmake \
            share/phonwright/fastt2p/c2zy.tbl share/applications/quillon.desktop \
            share/icons/hicolor/scalable/apps/quillon.svg share/man/man1/quillon-cli.1.gz \
            share/doc/quillon/copyright lib/udev/rules.d/70-quillon.rules \
            share/bash-completion/completions/phonwright; do
  grep -qx "\./usr/$file" "$scratch/contents" || fail "the package lacks /usr/$file"
done
depends=$(dpkg-deb --field "$package" Depends)
for library in libc6 libicu libqt6widgets6 libudev1; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

lintian --tag-display-limit 0 "$package" >"$scratch/lintian.log" 2>&1 || true
if grep -q '^E: ' "$scratch/lintian.log"; then
  grep '^E: ' "$scratch/lintian.log"
  fail "lintian reports errors"
fi
if ((failures)); then echo "$failures failures"; exit 1; fi
echo "$(basename "$package"): contents, dependencies and lintian checked ($(grep -c '^W: ' "$scratch/lintian.log") warnings)"
