#!/usr/bin/env bash
# full_disk_folders.sh LIST_FOLDER FILE_FOLDER [FILE]: two install targets on which a write
# meets a full disk, made real with the Linux /dev/full (opens, refuses every write with
# ENOSPC):
#   LIST_FOLDER/Uninstall.txt   every line of the uninstall list fails
#   FILE_FOLDER/FILE            the extraction of that entry (tool.exe unless named) fails;
#                               the folder holds the uninstall list of an earlier install,
#                               which must survive
set -eu
list_folder=$1 file_folder=$2 file=${3:-tool.exe}
windows() { local p="Z:$1"; printf '%s' "${p//\//\\}"; }
rm -rf "$list_folder" "$file_folder"
mkdir -p "$list_folder" "$file_folder"
ln -s /dev/full "$list_folder/Uninstall.txt"
ln -s /dev/full "$file_folder/$file"
printf '%s\\earlier.dll\n' "$(windows "$(cd "$file_folder" && pwd)")" >"$file_folder/Uninstall.txt"
