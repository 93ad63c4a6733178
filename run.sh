#!/usr/bin/env bash
# Installs what KALVENOR needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run
scripts/build.sh

if ! lpstat -e 2>/dev/null | grep -q .; then
  echo "Aucune imprimante n'est configurée. KALVENOR a besoin d'une imprimante."
  read -r -p "Installer une imprimante PDF locale (les pages iront dans ~/PDF) ? [o/N] " answer || answer=n
  case "$answer" in
    o|O|y|Y)
      scripts/install-deps.sh test >/dev/null
      scripts/pdf-printer.sh start KALVENOR_PDF "${HOME}/PDF"
      ;;
  esac
fi

cd build/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Pas d'affichage : KALVENOR démarre dans un écran virtuel (Xvfb)."
  scripts_dir=$(cd ../.. && pwd)/scripts
  "$scripts_dir/install-deps.sh" test >/dev/null
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./kalvenor "$@"
fi
exec ./kalvenor "$@"
