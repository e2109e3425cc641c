// Which bytes of the system's ANSI code page begin a double-byte character. Path scans walk
// whole characters, so a trail byte 0x5C is never taken for a separator.
#pragma once

using IsLeadByteFunction = bool (*)(unsigned char byte);

// Code page 932 (Shift-JIS) lead bytes: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A single-byte code page (1252 and the like).
constexpr bool IsNeverLeadByte(unsigned char) { return false; }
