// The parts of a PE file (a Windows program) the reader looks at to find where a signed
// program's payload ends: the DOS header's pointer to the PE signature, the COFF header
// behind the signature, and the optional header's security directory, whose address is a
// file offset (not an RVA) of the certificate table. Integers are little-endian. Offsets
// inside a header are counted from that header's first byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace archive {
namespace pe {

// DOS header: "MZ", and at 0x3C e_lfanew, the file offset of the PE signature.
constexpr std::size_t kDosMagicOffset = 0;
constexpr std::size_t kDosMagicSize = 2;
constexpr char kDosMagic[kDosMagicSize + 1] = "MZ";
constexpr std::size_t kNewHeaderOffsetField = 0x3C;
constexpr std::size_t kDosHeaderSize = 0x40;
static_assert(kNewHeaderOffsetField + 4 == kDosHeaderSize, "e_lfanew ends the DOS header");

// At e_lfanew: the signature "PE\0\0", then the COFF file header.
constexpr std::size_t kSignatureSize = 4;
constexpr char kSignature[kSignatureSize + 1] = "PE\0\0";
constexpr std::size_t kCoffHeaderOffset = kSignatureSize;  // from the signature

// COFF file header.
constexpr std::size_t kCoffOptionalHeaderSizeField = 16;  // SizeOfOptionalHeader, 2 bytes
constexpr std::size_t kCoffCharacteristicsField = 18;
constexpr std::size_t kCoffHeaderSize = 20;
static_assert(kCoffCharacteristicsField == kCoffOptionalHeaderSizeField + 2, "");
static_assert(kCoffHeaderSize == kCoffCharacteristicsField + 2, "Characteristics end the COFF header");

// Optional header, right behind the COFF header: its magic tells PE32 from PE32+.
constexpr std::size_t kOptionalMagicField = 0;  // 2 bytes
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;

// NumberOfRvaAndSizes ends the Windows-specific fields; the data directories follow it.
// PE32+ widens ImageBase and the four stack and heap sizes to 8 bytes and drops
// BaseOfData, so its fields lie 16 bytes further on.
constexpr std::size_t kPe32DirectoryCountField = 92;
constexpr std::size_t kPe32PlusDirectoryCountField = 108;
constexpr std::size_t kPe32DirectoriesOffset = kPe32DirectoryCountField + 4;
constexpr std::size_t kPe32PlusDirectoriesOffset = kPe32PlusDirectoryCountField + 4;
static_assert(kPe32DirectoriesOffset == 28 + 68, "28 bytes of standard fields, 68 Windows-specific");
static_assert(kPe32PlusDirectoriesOffset == 24 + 88, "24 bytes of standard fields, 88 Windows-specific");
static_assert(kPe32PlusDirectoryCountField == kPe32DirectoryCountField + 16, "-4 + 4 + 4 * 4");

// A data directory: address (here a file offset) and size, 4 bytes each.
constexpr std::size_t kDirectoryAddressField = 0;
constexpr std::size_t kDirectorySizeField = 4;
constexpr std::size_t kDirectoryEntrySize = 8;
static_assert(kDirectorySizeField == kDirectoryAddressField + 4, "");
static_assert(kDirectoryEntrySize == kDirectorySizeField + 4, "");

// The security (certificate table) directory is the fifth.
constexpr std::size_t kSecurityDirectoryIndex = 4;

// Where the security directory's entry lies inside an optional header whose directories
// start at directoriesOffset.
constexpr std::size_t SecurityDirectoryOffset(std::size_t directoriesOffset) {
  return directoriesOffset + kSecurityDirectoryIndex * kDirectoryEntrySize;
}
static_assert(SecurityDirectoryOffset(kPe32DirectoriesOffset) == 128, "PE32: at 128");
static_assert(SecurityDirectoryOffset(kPe32PlusDirectoriesOffset) == 144, "PE32+: at 144");

}  // namespace pe
}  // namespace archive
