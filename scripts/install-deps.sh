#!/usr/bin/env bash
# Installs the Debian packages KALVENOR needs, only those missing.
#   scripts/install-deps.sh run    packages to build and run the program
#   scripts/install-deps.sh test   packages to build and run the test suite
#   scripts/install-deps.sh fuzz   packages to build the fuzz targets
set -euo pipefail

build=(cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libgl-dev libcups2-dev)
# The makers' label sheets for the shipped catalogue; the PNG icons.
build+=(glabels-data librsvg2-bin)
runtime=(qt6-qpa-plugins libqt6sql6-sqlite qt6-translations-l10n fonts-liberation fonts-dejavu-core cups-client)
testing=(cups cups-client printer-driver-cups-pdf poppler-utils xvfb xauth desktop-file-utils appstream lintian gcovr)
fuzzing=(clang libclang-rt-dev)

wanted=("${build[@]}" "${runtime[@]}")
case "${1:-run}" in
  run) ;;
  test) wanted+=("${testing[@]}") ;;
  fuzz) wanted+=("${fuzzing[@]}") ;;
  *) echo "usage: $0 run|test|fuzz" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
