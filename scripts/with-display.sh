#!/usr/bin/env bash
# with-display.sh COMMAND...: runs COMMAND with DISPLAY set, starting a private Xvfb on a
# free display number when there is none, and stopping only that Xvfb afterwards.
#
# The number is chosen by its lock file, not by Xvfb -displayfd: an Xvfb started inside a
# network namespace does not see the abstract sockets of servers in other namespaces, so
# -displayfd can pick a number another run holds and replace its socket file. Xvfb takes
# the lock file with O_EXCL, so of two runs trying one number only one starts; the other
# tries the next.
set -u
if [ -n "${DISPLAY:-}" ] && [ -z "${QX_OWN_DISPLAY:-}" ]; then
  exec "$@"
fi

xvfb=""
for number in $(seq 90 189); do
  [ -e "/tmp/.X$number-lock" ] && continue
  [ -e "/tmp/.X11-unix/X$number" ] && continue
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
  pid=$!
  # Up once its socket is there and the lock file names this server.
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    if [ -S "/tmp/.X11-unix/X$number" ] && [ "$(tr -d ' ' <"/tmp/.X$number-lock" 2>/dev/null)" = "$pid" ]; then
      xvfb=$pid
      break
    fi
    sleep 0.1
  done
  [ -n "$xvfb" ] && break
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
done
if [ -z "$xvfb" ]; then
  echo "with-display.sh: no free display number could be taken" >&2
  exit 1
fi
export DISPLAY=":$number"
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
