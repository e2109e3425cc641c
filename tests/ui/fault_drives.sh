#!/usr/bin/env bash
# fault_drives.sh up|down FOLDER WINE_ROOT: drives of the Wine prefix of WINE_ROOT that fail
# the way real disks do (as root: they are tmpfs mounts below FOLDER):
#   Q:  1 MiB, so that a payload larger than it fills a real disk;
#   R:  mounted read-only, with a folder "locked" on it: a target the system refuses;
#   V:  an ordinary drive that goes away while a run writes to it: a Windows program cannot
#       remove a drive of the prefix, so a watcher started here does it (unmounts the disk
#       and removes the drive) once the test creates FOLDER/take-v-away.
# "down" stops the watcher, unmounts them and removes the drives.
set -u
action=$1 folder=$(realpath -m "$2") root=$3
here=$(cd "$(dirname "$0")" && pwd)
devices=$root/prefix/dosdevices

down() {
  local name
  if [ -f "$folder/watcher.pid" ]; then
    kill "$(cat "$folder/watcher.pid")" 2>/dev/null || true
    rm -f "$folder/watcher.pid"
  fi
  rm -f "$folder/take-v-away"
  for name in small read-only vanishing; do
    if mountpoint -q "$folder/$name"; then umount "$folder/$name"; fi
  done
  rm -f "$devices/q:" "$devices/r:" "$devices/v:"
  return 0
}

case $action in
  up)
    down
    set -e
    mkdir -p "$folder/small" "$folder/read-only" "$folder/vanishing"
    mount -t tmpfs -o size=1m,mode=0777 qx-small-drive "$folder/small"
    mount -t tmpfs -o size=1m,mode=0777 qx-read-only-drive "$folder/read-only"
    mkdir "$folder/read-only/locked"
    mount -o remount,ro "$folder/read-only"
    mount -t tmpfs -o size=64m,mode=0777 qx-vanishing-drive "$folder/vanishing"
    # The prefix is made on its first use; make sure it is there before the drives go in.
    "$here/../../scripts/wine-run" "$root" cmd.exe /c exit >/dev/null 2>&1 || true
    ln -sfn "$folder/small" "$devices/q:"
    ln -sfn "$folder/read-only" "$devices/r:"
    ln -sfn "$folder/vanishing" "$devices/v:"
    # At most half an hour, checked every 20 ms; detached, so that the fixture's own test ends.
    setsid bash -c '
      for _ in $(seq 90000); do
        if [ -e "$1/take-v-away" ]; then rm -f "$2"; umount -l "$1/vanishing"; exit 0; fi
        sleep 0.02
      done' watcher "$folder" "$devices/v:" </dev/null >/dev/null 2>&1 &
    echo $! >"$folder/watcher.pid"
    ;;
  down) down ;;
  *) echo "usage: fault_drives.sh up|down FOLDER WINE_ROOT" >&2; exit 2 ;;
esac
