// Creating the folders on the way to a file, as the extraction does before writing it.
#pragma once

#include <cstddef>
#include <functional>

#include "text/lead_byte.h"

enum class FolderCreation { kCreated, kExists, kFailed };
using CreateFolderFunction = std::function<FolderCreation(const char* folder)>;

// The working copy holds at most this much text; a longer path fails.
constexpr int kMakeFoldersMaxPath = 519;

// How many leading bytes of path are its root, which no one can create: "C:\" (3), "C:"
// of a drive-relative path (2), "\" of a root-relative path (1), "\\server\share\" of a
// UNC path (through the separator behind the share, or all of a shorter one), 0 for a
// relative path. "\\?\C:\" and "\\.\C:\" come out right read as server and share; so does
// "\\?\UNC\", which leaves the server and share behind it to the caller. "\" and "/" both
// separate; a trail byte 0x5C of a double-byte character does not.
std::size_t PathRootLength(const char* path, IsLeadByteFunction isLeadByte);

// 1 when every folder on the way to the file at path exists afterwards, 0 when one cannot
// be created or the path is too long. The path's root is passed over and the last
// component, the file, is never created.
int MakeFoldersWith(const char* path, IsLeadByteFunction isLeadByte, const CreateFolderFunction& createFolder);
