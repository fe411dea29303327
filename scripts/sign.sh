#!/usr/bin/env bash
# Signs one Windows executable in place with Authenticode (SHA-256):
#   SIGN_PKCS12=cert.p12 SIGN_PASSWORD=... [SIGN_TIMESTAMP_URL=...] scripts/sign.sh FILE
# scripts/package.sh runs it on the program, and makensis on the uninstaller
# and the installer it writes. The password reaches osslsigncode through a
# file only this user can read, never through its command line, which any
# process on the machine may see.
set -euo pipefail

fail() { echo "sign.sh: $*" >&2; exit 1; }

(($# == 1)) || fail "usage: sign.sh FILE"
file="$1"
[[ -f "$file" ]] || fail "no file $file"
[[ -n "${SIGN_PKCS12:-}" && -f "$SIGN_PKCS12" ]] || fail "SIGN_PKCS12 names no file"
[[ -n "${SIGN_PASSWORD+set}" ]] || fail "SIGN_PASSWORD is not set"
command -v osslsigncode >/dev/null || fail "osslsigncode is missing (scripts/install-deps.sh installs it)"

passfile="$(umask 077 && mktemp)"
signed="$file.signed"
trap 'rm -f "$passfile" "$signed"' EXIT
printf '%s' "$SIGN_PASSWORD" >"$passfile"

timestamp=()
[[ -n "${SIGN_TIMESTAMP_URL:-}" ]] && timestamp=(-ts "$SIGN_TIMESTAMP_URL")
osslsigncode sign -pkcs12 "$SIGN_PKCS12" -readpass "$passfile" -h sha256 \
  -n "Velmora Lumetra" -i "https://www.velmora.com" "${timestamp[@]}" \
  -in "$file" -out "$signed" >/dev/null || fail "could not sign $file"
mv -f "$signed" "$file"
