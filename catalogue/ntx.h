// A write-only writer of Clipper NTX index files: 1024-byte pages, a header
// page with the signature, the key sizes and the key expression, then a
// B-tree of pages holding (left page, record number, key) items.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qeln::ntx {

inline constexpr std::size_t kPageSize = 1024;
inline constexpr std::uint16_t kSignature = 0x0006;   // standard NTX, no FOR condition
inline constexpr int kMaxKeyLength = 256;

struct Item {
    std::string key;         // exactly the index's key length
    std::uint32_t record;    // 1-based record number in the table
};

// Clipper's key text for a number: STR(value, length, decimals) with the
// leading blanks made zeros; a negative value has its digits mapped below
// '0' so that it sorts before every positive one. A value too wide for the
// key becomes all nines (with a leading minus sign when negative).
std::string numericKey(double value, int length, int decimals);

// Most items a page holds for the key length (even, as Clipper keeps it).
int maxItemsPerPage(int keyLength);

// The bytes of an index over `items`, which must be sorted by key and then
// record. Throws std::invalid_argument for keys of the wrong length.
std::string buildIndex(const std::string& keyExpression, int keyLength, int keyDecimals,
                       const std::vector<Item>& items);

// Writes buildIndex(...) to path through a temporary file and a rename.
// Throws platform::IoError.
void writeIndex(const std::string& path, const std::string& keyExpression, int keyLength, int keyDecimals,
                const std::vector<Item>& items);

} // namespace qeln::ntx
