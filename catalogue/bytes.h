// Little-endian numbers in the bytes of a file image (dBASE tables, NTX indexes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qeln::bytes {

inline std::uint16_t getU16(const std::string& s, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                      (static_cast<unsigned char>(s[at + 1]) << 8));
}

inline std::uint32_t getU32(const std::string& s, std::size_t at)
{
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(k)]);
    return v;
}

inline void putU16(std::string& s, std::size_t at, std::uint16_t v)
{
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
}

inline void putU32(std::string& s, std::size_t at, std::uint32_t v)
{
    for (std::size_t k = 0; k < 4; ++k)
        s[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
}

} // namespace qeln::bytes
