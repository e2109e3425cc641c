// Which lines of the uninstall list the uninstall run may delete. The install run lists
// only files below the setup folder; an edited or foreign list must not make the
// uninstaller delete files anywhere else.
#pragma once

#include <string>

#include "text/lead_byte.h"

// True when path names a file below setupFolder (its text, ending with "\", or empty):
// the folder's text is the path's prefix (letters compared ignoring ASCII case, "\" and
// "/" alike, double-byte characters byte for byte), something follows it, and no
// component is ".." or another run of dots that Windows would read as one. With an empty
// folder the path must be relative: no drive, no ":" and no leading separator.
bool IsInsideSetupFolder(const std::string& path, const std::string& setupFolder, IsLeadByteFunction isLeadByte);
