#!/usr/bin/env bash
# Signs a Windows program or library with the company's code-signing
# certificate (Authenticode, SHA-256, no time stamp), with Debian's
# osslsigncode, when one is given in the environment:
#   ZUZO_SIGN_CERT      the certificate with its private key, a PKCS#12 file
#                       (.p12 or .pfx)
#   ZUZO_SIGN_PASSWORD  its password (none when unset)
# Without ZUZO_SIGN_CERT it signs nothing and says nothing: the build, the
# installer and scripts/release.sh call it for every file they make, and the
# release says whether it was signed.
# usage: sign.sh FILE        signs FILE in place (a signature it had is
#                            replaced)
#        sign.sh IN OUT      copies IN to OUT, and signs OUT
# The password goes to osslsigncode through a pipe, never on a command line
# that other users could read. Exit code 0 done (or nothing to do), 1 the
# file could not be signed (osslsigncode's reason on standard error).
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: sign.sh FILE | sign.sh IN OUT" >&2
  exit 2
fi
in=$1
out=${2:-$1}
if [ "$in" != "$out" ]; then
  cp "$in" "$out"
fi
[ -n "${ZUZO_SIGN_CERT:-}" ] || exit 0
if [ ! -r "$ZUZO_SIGN_CERT" ]; then
  echo "sign.sh: the certificate ZUZO_SIGN_CERT=$ZUZO_SIGN_CERT cannot be read" >&2
  exit 1
fi
if ! command -v osslsigncode >/dev/null; then
  echo "sign.sh: osslsigncode is missing (scripts/install-deps.sh --ci installs it)" >&2
  exit 1
fi
signed="$out.signing"
rm -f "$signed"
if ! osslsigncode sign -pkcs12 "$ZUZO_SIGN_CERT" -readpass <(printf '%s' "${ZUZO_SIGN_PASSWORD:-}") \
  -h sha256 -n "Vestorin Zuzo transport" -in "$out" -out "$signed" >"$signed.log" 2>&1; then
  echo "sign.sh: $out could not be signed: $(grep -v '^\s*$' "$signed.log" | head -1)" >&2
  rm -f "$signed" "$signed.log"
  exit 1
fi
rm -f "$signed.log"
mv "$signed" "$out"
