// Entry names: relative paths joined with "\" in the target's ANSI code page, and back to
// host paths when the tool extracts.
#pragma once

#include <filesystem>
#include <string>

#include "text/lead_byte.h"

// The lead bytes of the code pages the tool knows: 932 and the other East Asian double-byte
// pages, every other page single-byte.
IsLeadByteFunction LeadBytesOf(unsigned codePage);

// relative: a path below the packed folder. False with a reason when a component cannot be
// encoded in codePage or holds a separator of its own (a yen sign that code page 932 would
// store as 0x5C, a backslash in a Linux name).
bool EncodeEntryName(const std::filesystem::path& relative, unsigned codePage, std::string& name,
                     std::string& reason);

// name: a name that passed IsSafeEntryName. False when it does not decode.
bool DecodeEntryName(const std::string& name, unsigned codePage, std::filesystem::path& relative);

// One component, through the host's converter (iconv on Linux, the Win32 API on Windows).
bool EncodeComponent(const std::filesystem::path& component, unsigned codePage, std::string& bytes);
bool DecodeComponent(const std::string& bytes, unsigned codePage, std::filesystem::path& component);
