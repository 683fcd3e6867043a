#!/usr/bin/env bash
# Starts a CUPS server (unless one runs) with the cups-pdf printer "PDF" as the
# default printer, for the printing tests.
set -euo pipefail
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  $sudo /usr/sbin/cupsd
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  # lpadmin warns that printer drivers are deprecated; the queue works all the same.
  $sudo lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
fi
$sudo lpadmin -d PDF
lpstat -d
