#!/usr/bin/env bash
# Signs a Windows executable in place with osslsigncode, with the certificate and key that NORVEX_SIGN_CERT and
# NORVEX_SIGN_KEY name (PEM or DER files; NORVEX_SIGN_PASSFILE holds the key's password, if it has one).
# NORVEX_SIGN_TIMESTAMP names a timestamp server: without one, a signature stops being valid when the certificate
# expires.
#   tools/sign.sh FILE [DESCRIPTION]
set -euo pipefail
file="${1:?file to sign}"
description="${2:-Norvex}"
options=(-certs "${NORVEX_SIGN_CERT:?certificate}" -key "${NORVEX_SIGN_KEY:?key}" -h sha256 -n "$description")
if [ -n "${NORVEX_SIGN_PASSFILE:-}" ]; then
    options+=(-readpass "$NORVEX_SIGN_PASSFILE")
fi
if [ -n "${NORVEX_SIGN_TIMESTAMP:-}" ]; then
    options+=(-ts "$NORVEX_SIGN_TIMESTAMP")
fi
# osslsigncode writes a new file; it replaces the old one only once complete.
osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" > /dev/null
mv -f "$file.signed" "$file"
