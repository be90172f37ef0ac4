#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when some are missing.
# Idempotent: when everything is present it only asks dpkg and returns in well under a second.
set -euo pipefail

packages=(
    cmake make g++ ninja-build pkg-config ccache
    qt6-base-dev qt6-webengine-dev qt6-webengine-dev-tools libqt6webenginewidgets6 qt6-pdf-dev libcups2-dev
    libgl1-mesa-dri libglx-mesa0 xvfb xauth fonts-noto-cjk fonts-wqy-microhei
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format clang-tidy
    dpkg-dev file desktop-file-utils appstream lintian
    qt6-translations-l10n qt6-l10n-tools qt6-tools-dev libqt6sql6-sqlite sqlite3
    metacity openbox xdotool x11-utils x11-apps imagemagick libxtst-dev libxcb1-dev
    poppler-utils cups-daemon cups-client xdg-utils xclip
    linux-perf
    fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6 dbus-x11 at-spi2-core
    sway wtype grim qt6-wayland libwayland-dev libwayland-bin
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

echo "Installing missing Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"
