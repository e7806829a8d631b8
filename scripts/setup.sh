#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent: a second run only checks and returns in seconds.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(
  cmake make g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth x11-utils fonts-wqy-microhei imagemagick
  icoutils
  googletest libgtest-dev
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A zh_CN.UTF-8 locale of our own (named by LOCPATH), so that Wine runs with
# the ANSI code page 936 without touching the machine's locale configuration.
locdir="$here/build/locale"
if [ ! -f "$locdir/zh_CN.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$locdir"
  localedef -i zh_CN -f UTF-8 "$locdir/zh_CN.UTF-8" || [ -f "$locdir/zh_CN.UTF-8/LC_CTYPE" ]
fi
echo "setup: ready"
