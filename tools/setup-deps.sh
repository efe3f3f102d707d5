#!/usr/bin/env bash
# Usage: tools/setup-deps.sh [EXTRA_PACKAGE...]
# Installs the Debian packages that building and testing need, and any extra ones named. Safe to
# run again: it only installs what is missing. Needs root or sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ g++-multilib qemu-user-static clang libclang-rt-14-dev clang-format
  clang-tidy
  libgtest-dev googletest libbenchmark-dev libstb-dev
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine32:i386 wine64 xvfb x11-utils imagemagick python3
  xorriso libiso9660-dev pkg-config locales
  "$@"
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Japanese scenarios run Wine in this locale, from which it takes code page 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
