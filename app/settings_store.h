// The product's settings below HKEY_CURRENT_USER\SOFTWARE\VELDRANOS\QUORVEX\<subkey>.
// Shared with the main program. None of these calls reports an error: a read that fails
// gives the caller's default, a write that fails changes nothing.
#pragma once

// The product's settings key below HKEY_CURRENT_USER: the settings' subkeys lie below it,
// and the uninstall run deletes it whole.
constexpr char kProductSettingsKey[] = "SOFTWARE\\VELDRANOS\\QUORVEX";

// Reads up to 4 bytes of the value into an integer that starts as defaultValue; the
// value's type is not checked, so shorter data replaces only the low-order bytes.
int ReadSettingDword(const char* subkey, const char* valueName, int defaultValue);

// Reads the value's bytes into buffer (bufferSize bytes, terminator included); the buffer
// always ends up holding a terminated string: the value's text, or defaultText when the
// value is missing or does not fit with its terminator.
void ReadSettingString(const char* subkey, const char* valueName, const char* defaultText, char* buffer,
                       int bufferSize);

// Stores text as REG_SZ (terminator included), creating the keys on the way. Returns 1.
int WriteSettingString(const char* subkey, const char* valueName, const char* text);
