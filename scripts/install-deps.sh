#!/usr/bin/env bash
# Installs everything Dorva Editor needs to build, run and test on Debian 12.
# Run as root; safe to run again (apt-get skips what is already there).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake pkg-config git
  libwxgtk3.2-dev libgtk-3-dev libx11-dev
  librtmidi-dev libjack-jackd2-dev jackd2
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth xfonts-base libxfixes-dev adwaita-icon-theme
  python3 python3-aiosmtpd python3-pil
  dbus at-spi2-core python3-pyatspi python3-gi gir1.2-gtk-3.0
  lsp-plugins-vst dpf-plugins-vst
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}. Run this script as root to install them." >&2
    exit 1
  fi
  # jackd2 asks about realtime priority; answer no without a prompt.
  echo "jackd2 jackd/tweak_rt_limits boolean false" | debconf-set-selections
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
