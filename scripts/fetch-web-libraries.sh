#!/usr/bin/env bash
# Refreshes the page-side libraries kept in third_party/ from the npm registry, at the pinned
# versions below and only when the registry's tarball matches its pinned integrity hash. The
# copies in third_party/ are what the build uses; run this only to move to another version
# (change the version and hash together).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name version integrity files-to-keep (from the package, to third_party/<dir>/)
fetch() {
    local package=$1 version=$2 integrity=$3 dir=$4
    shift 4
    (cd "$work" && npm pack --silent "$package@$version" >/dev/null)
    local tarball
    tarball=$(ls "$work"/*.tgz)
    local actual
    actual="sha512-$(openssl dgst -sha512 -binary "$tarball" | base64 -w0)"
    if [[ $actual != "$integrity" ]]; then
        echo "$package@$version: integrity $actual, expected $integrity" >&2
        exit 1
    fi
    mkdir -p "$work/x" "$here/third_party/$dir"
    tar xzf "$tarball" -C "$work/x"
    for file in "$@"; do
        cp "$work/x/package/$file" "$here/third_party/$dir/$(basename "$file")"
    done
    echo "$package $version $integrity" >"$here/third_party/$dir/VERSION"
    rm -rf "$work/x" "$tarball"
}

fetch @mozilla/readability 0.6.0 \
    'sha512-juG5VWh4qAivzTAeMzvY9xs9HY5rAcr2E4I7tiSSCokRFi7XIZCAu92ZkSTsIj1OPceCifL3cpfteP3pDT9/QQ==' \
    readability Readability.js LICENSE.md
fetch mark.js 8.11.1 \
    'sha512-1I+1qpDt4idfgLQG+BNWmrqku+7/2bi5nLf4YwF8y8zXvmfiTBY3PV3ZibfrjBueCByROpuBjLLFCajqkgYoLQ==' \
    mark.js dist/mark.js LICENSE
echo "third_party/ is up to date"
