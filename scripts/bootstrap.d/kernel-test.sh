#!/usr/bin/env bash
# Fetches Debian's kernel package for scripts/kernel-test (apt-get download)
# and keeps its kernel and the modules the test loads in the user's cache;
# a no-op when they are there.
set -euo pipefail
# Without it the kernel test skips itself; the rest of the build does not care.
"$(dirname "${BASH_SOURCE[0]}")/../kernel-test" --prepare \
  || echo "bootstrap: no kernel for scripts/kernel-test; it will be skipped"
