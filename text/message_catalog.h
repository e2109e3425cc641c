// The bilingual message catalog: every localised text the program's code shows or uses as
// a localised name. Japanese texts are Shift-JIS (code page 932) bytes, English ASCII.
#pragma once

#include <array>
#include <cstdint>

struct CatalogRecord {
  std::int32_t id;
  const char* japanese;
  const char* english;
};

constexpr int kCatalogSize = 946;

// The record at position K has the id K. Records the program never shows are empty.
extern const std::array<CatalogRecord, kCatalogSize> kMessageCatalog;

// The text of record id in the current language. Ids are fixed at every use site.
const char* CatalogText(int id);

// The text of record id in the given language index, for callers that must name it.
const char* CatalogTextIn(int id, int languageIndex);
