#!/usr/bin/env bash
# Installs whatever the build and the tests need and is not there yet.
# Idempotent and quiet when everything is present. Must run as root on Debian 12.
set -euo pipefail

need_pkgs=(
  cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686 libwine-dev
  wine wine32:i386 xvfb imagemagick fonts-ipafont-gothic locales
)

missing=()
for p in "${need_pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq >/dev/null
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Locales the tests switch between: a decimal-comma one and the Japanese one
# (Wine takes its ANSI code page from LC_ALL).
for loc in de_DE ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    localedef -i "$loc" -f UTF-8 "$loc.UTF-8" >/dev/null 2>&1 || true
  fi
done

exit 0
