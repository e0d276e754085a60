#!/usr/bin/env bash
# Fetches the CMU pronouncing dictionary (npm package cmu-pronouncing-dictionary
# 3.0.0) with `npm pack` into the user's cache, checks the tarball's SHA-1 and
# unpacks it there; phonwright-mkdata reads package/index.js. A no-op when the
# unpacked package is already there. Installs Debian's nodejs and npm when
# npm is missing.
set -euo pipefail

name=cmu-pronouncing-dictionary
version=3.0.0
sha1=1a34297a97b5056965f1237bb63ee1276ab93f9d
cache="${XDG_CACHE_HOME:-$HOME/.cache}/phonwright-data"
tarball="$cache/$name-$version.tgz"
unpacked="$cache/$name-$version"

[[ -f "$unpacked/package/index.js" ]] && exit 0

if ! command -v npm >/dev/null; then
  echo "bootstrap: installing nodejs npm"
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends nodejs npm
fi

mkdir -p "$cache"
if [[ ! -f "$tarball" ]]; then
  echo "bootstrap: fetching $name@$version"
  (cd "$cache" && npm pack --silent --ignore-scripts "$name@$version" >/dev/null)
fi
if ! echo "$sha1  $tarball" | sha1sum --check --status; then
  echo "bootstrap: $tarball does not match its SHA-1 $sha1; removed" >&2
  rm -f "$tarball"
  exit 1
fi
rm -rf "$unpacked.partial"
mkdir -p "$unpacked.partial"
tar -xzf "$tarball" -C "$unpacked.partial"
mv "$unpacked.partial" "$unpacked"
