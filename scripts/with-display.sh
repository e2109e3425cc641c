#!/usr/bin/env bash
# with-display.sh COMMAND...: runs COMMAND with DISPLAY set, starting a private Xvfb on a
# free display number when there is none, and stopping only that Xvfb afterwards.
set -u
if [ -n "${DISPLAY:-}" ] && [ -z "${QX_OWN_DISPLAY:-}" ]; then
  exec "$@"
fi
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
rm -f "$displayfile"
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
