#!/usr/bin/env bash
# full_disk_folders.sh LIST_FOLDER FILE_FOLDER: two install targets on which a write meets
# a full disk, made real with the Linux /dev/full (opens, refuses every write with ENOSPC):
#   LIST_FOLDER/Uninstall.txt   every line of the uninstall list fails
#   FILE_FOLDER/tool.exe        the extraction of that entry fails; the folder holds the
#                               uninstall list of an earlier install, which must survive
set -eu
list_folder=$1 file_folder=$2
windows() { local p="Z:$1"; printf '%s' "${p//\//\\}"; }
rm -rf "$list_folder" "$file_folder"
mkdir -p "$list_folder" "$file_folder"
ln -s /dev/full "$list_folder/Uninstall.txt"
ln -s /dev/full "$file_folder/tool.exe"
printf '%s\\earlier.dll\n' "$(windows "$(cd "$file_folder" && pwd)")" >"$file_folder/Uninstall.txt"
