#!/usr/bin/env bash
# Fetches Debian's kernel package for scripts/kernel-test (apt-get download)
# and keeps its kernel and the modules the test loads in the user's cache;
# a no-op when they are there.
set -euo pipefail
"$(dirname "${BASH_SOURCE[0]}")/../kernel-test" --prepare
