#!/usr/bin/env bash
# Starts CUPS with a PDF-writing queue "rullakko-pdf" as the default printer, for the printing tests.
# Printed jobs land as PDF files in /var/spool/cups-pdf/rullakko. Safe to run again.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
JONO=rullakko-pdf
KANSIO=/var/spool/cups-pdf/rullakko

$SUDO mkdir -p "$KANSIO"
$SUDO chmod 1777 "$KANSIO"
# Every job into one known folder, named after its title, whoever prints it.
if ! grep -q "^Out $KANSIO\$" /etc/cups/cups-pdf.conf 2>/dev/null; then
  $SUDO sed -i -e '/^Out /d' /etc/cups/cups-pdf.conf
  echo "Out $KANSIO" | $SUDO tee -a /etc/cups/cups-pdf.conf >/dev/null
fi

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  # No systemd in containers and on CI: the daemon is started directly.
  $SUDO /usr/sbin/cupsd
  for _ in $(seq 1 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi
lpstat -r | grep -q "is running" || { echo "cupsd ei käynnistynyt" >&2; exit 1; }

if ! lpstat -v "$JONO" >/dev/null 2>&1; then
  $SUDO lpadmin -p "$JONO" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
fi
# Text stays text through the queue (pdftotext reads it back); the default renderer turns it into pictures.
$SUDO lpadmin -p "$JONO" -o pdftops-renderer-default=pdftocairo
$SUDO cupsenable "$JONO"
$SUDO cupsaccept "$JONO"
$SUDO lpadmin -d "$JONO"
