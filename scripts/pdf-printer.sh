#!/usr/bin/env bash
# A CUPS queue that writes PDF files, for machines without a printer and for
# the print tests.
#   scripts/pdf-printer.sh start NAME OUTDIR   start cupsd if needed, add the queue
#   scripts/pdf-printer.sh reject NAME         make the queue refuse every job
#   scripts/pdf-printer.sh stop NAME           remove the queue, stop the cupsd we started
set -euo pipefail
action=${1:?start|stop}
name=${2:?queue name}
state=/tmp/kalvenor-cupsd-started-$name
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

scheduler_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

case "$action" in
start)
  out=${3:?output folder}
  mkdir -p "$out"
  chmod 1777 "$out"
  if ! scheduler_running; then
    "${sudo[@]}" mkdir -p /run/cups
    "${sudo[@]}" /usr/sbin/cupsd
    touch "$state"
    for _ in $(seq 50); do scheduler_running && break; sleep 0.1; done
  fi
  printf 'Out %s\nAnonDirName %s\nLabel 0\n' "$out" "$out" \
    | "${sudo[@]}" tee "/etc/cups/cups-pdf-$name.conf" >/dev/null
  "${sudo[@]}" lpadmin -p "$name" -E -v "cups-pdf:/$name" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
  if lpstat -d 2>&1 | grep -q 'no system default'; then
    "${sudo[@]}" lpadmin -d "$name"
  fi
  ;;
reject)
  "${sudo[@]}" cupsreject "$name"
  ;;
stop)
  "${sudo[@]}" lpadmin -x "$name" 2>/dev/null || true
  "${sudo[@]}" rm -f "/etc/cups/cups-pdf-$name.conf"
  if [ -e "$state" ]; then
    rm -f "$state"
    "${sudo[@]}" pkill -x cupsd 2>/dev/null || true
  fi
  ;;
*) echo "usage: $0 start|reject|stop NAME [OUTDIR]" >&2; exit 2 ;;
esac
