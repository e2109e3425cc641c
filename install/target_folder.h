// The folder field's text as a run uses it: read into a buffer of its own size and made to
// end with "\" (PathAddBackslashA: nothing is added to empty text or to a text that ends
// with one already).
#pragma once

#include <string>

class RunHost;

std::string ReadTargetFolder(RunHost& host, int bufferSize);

// The uninstall list in that folder.
std::string UninstallListPath(const std::string& targetFolder);

// IsDBCSLeadByte of the system's ANSI code page, for the portable path scans.
bool IsSystemLeadByte(unsigned char byte);
