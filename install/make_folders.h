// Creating the folders on the way to a file, as the extraction does before writing it.
#pragma once

#include <functional>

#include "install/lead_byte.h"

enum class FolderCreation { kCreated, kExists, kFailed };
using CreateFolderFunction = std::function<FolderCreation(const char* folder)>;

// The working copy holds at most this much text; a longer path fails.
constexpr int kMakeFoldersMaxPath = 519;

// 1 when every folder on the way to the file at path exists afterwards, 0 when one cannot
// be created or the path is too long. The first separator is passed over (the one behind
// "C:", so the drive itself is never created) and the last component, the file, is never
// created. "\" and "/" both separate; a trail byte 0x5C of a double-byte character does not.
int MakeFoldersWith(const char* path, IsLeadByteFunction isLeadByte, const CreateFolderFunction& createFolder);
