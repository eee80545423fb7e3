#!/usr/bin/env bash
# The mail tests start their own SMTP server (tools/palvelut/smtp_palvelin.py, python3-aiosmtpd) on
# 127.0.0.1 as a child process, one per test, and stop it when the test ends. This script only checks
# that the server can start here, so a missing package is reported before the tests run. Safe to run again.
set -euo pipefail
if ! /usr/bin/python3 -c 'import aiosmtpd' 2>/dev/null; then
  echo "smtp.sh: python3-aiosmtpd puuttuu (aja tools/setup.sh)" >&2
  exit 1
fi
