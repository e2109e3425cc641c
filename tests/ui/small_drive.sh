#!/usr/bin/env bash
# small_drive.sh up|down FOLDER WINE_ROOT: a 1 MiB tmpfs mounted at FOLDER and given to the
# Wine prefix of WINE_ROOT as drive Q:, so that a payload larger than it fills a real disk
# (as root). "down" unmounts it and removes the drive.
set -u
action=$1 folder=$2 root=$3
here=$(cd "$(dirname "$0")" && pwd)
drive=$root/prefix/dosdevices/q:

down() {
  rm -f "$drive"
  if mountpoint -q "$folder"; then umount "$folder"; fi
  return 0
}

case $action in
  up)
    down
    set -e
    mkdir -p "$folder"
    mount -t tmpfs -o size=1m,mode=0777 qx-small-drive "$folder"
    # The prefix is made on its first use; make sure it is there before the drive goes in.
    "$here/../../scripts/wine-run" "$root" cmd.exe /c exit >/dev/null 2>&1 || true
    ln -sfn "$folder" "$drive"
    ;;
  down) down ;;
  *) echo "usage: small_drive.sh up|down FOLDER WINE_ROOT" >&2; exit 2 ;;
esac
