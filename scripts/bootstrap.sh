#!/bin/bash
# Installs the Debian 12 packages the build, the tests and the program need,
# and only those that are missing; does nothing when all are present.
set -euo pipefail

packages=(
    build-essential cmake pkg-config          # compiler and build
    qt6-base-dev qt6-qpa-plugins libgl-dev    # Qt 6 Widgets, PrintSupport and its platform plugins
    qt6-translations-l10n                     # Qt's own dialogs and buttons in Chinese (确定, 取消)
    libsqlcipher-dev sqlcipher libssl-dev     # the encrypted database, its CLI, PBKDF2 for passwords
    libcsv-dev                                # reading CSV files for import
    libgtest-dev                              # tests
    fonts-noto-cjk                            # Chinese text on screen and on paper
    xvfb xauth                                # looking at windows without a desktop
    libreoffice-calc-nogui                    # reads exported workbooks back in the tests
    poppler-utils                             # pdftotext: the tests read printed pages back
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "安装缺少的软件包: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
