// The Clipper NTX writer: key text of numbers and a tree that a reader can walk.
#include "catalogue/ntx.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace qeln::ntx;

namespace {

std::uint32_t u16(const std::string& s, std::size_t at)
{
    return static_cast<unsigned char>(s[at]) | (static_cast<unsigned char>(s[at + 1]) << 8);
}

std::uint32_t u32(const std::string& s, std::size_t at)
{
    return u16(s, at) | (u16(s, at + 2) << 16);
}

// An independent walk over the pages: in-order items, checking that every
// leaf lies at the same depth and every page is within its bounds.
void walk(const std::string& file, std::uint32_t page, int depth, int& leafDepth, std::vector<Item>& out)
{
    ASSERT_EQ(page % kPageSize, 0u);
    ASSERT_GE(page, kPageSize);
    ASSERT_LE(page + kPageSize, file.size());
    const std::size_t keyLen = u16(file, 14);
    const std::size_t maxItem = u16(file, 18);
    const std::size_t count = u16(file, page);
    ASSERT_LE(count, maxItem);
    bool leaf = true;
    for (std::size_t k = 0; k <= count; ++k) {
        const std::size_t at = page + u16(file, page + 2 + 2 * k);
        ASSERT_LE(at + 8 + keyLen, page + kPageSize);
        const std::uint32_t left = u32(file, at);
        if (k == 0) {
            leaf = left == 0;
        }
        ASSERT_EQ(left == 0, leaf) << "mixed leaf and branch items";
        if (left != 0)
            walk(file, left, depth + 1, leafDepth, out);
        if (k < count)
            out.push_back({file.substr(at + 8, keyLen), u32(file, at + 4)});
    }
    if (leaf) {
        if (leafDepth < 0)
            leafDepth = depth;
        ASSERT_EQ(leafDepth, depth) << "unbalanced tree";
        if (depth > 0) {
            ASSERT_GE(count, 1u) << "empty leaf";
        }
    }
}

std::vector<Item> items(int n, int keyLength)
{
    std::vector<Item> v;
    for (int i = 0; i < n; ++i)
        v.push_back({numericKey(10.0 * (i / 2), keyLength, 0), static_cast<std::uint32_t>(i + 1)});
    return v;
}

} // namespace

TEST(NtxKeys, NumbersBecomeZeroPaddedTextThatSortsLikeTheNumbers)
{
    EXPECT_EQ(numericKey(10, 10, 0), "0000000010");
    EXPECT_EQ(numericKey(0, 4, 0), "0000");
    EXPECT_EQ(numericKey(15.5, 7, 1), "00015.5");
    EXPECT_EQ(numericKey(-0.0, 4, 0), "0000");
    EXPECT_EQ(numericKey(123456, 4, 0), "9999");
    EXPECT_EQ(numericKey(-123456, 4, 0), "-999");
    // Negative: the sign becomes 0 and every digit d becomes '0' - d - 4.
    EXPECT_EQ(numericKey(-5, 6, 0), ",,,,,'");
    const double values[] = {-120, -15, -10, -5, -0.5, 0, 0.5, 5, 10, 15, 120, 4710};
    for (std::size_t k = 1; k < std::size(values); ++k)
        EXPECT_LT(numericKey(values[k - 1], 8, 1), numericKey(values[k], 8, 1)) << values[k];
}

TEST(NtxIndex, HeaderCarriesSignatureSizesAndKeyExpression)
{
    const std::string f = buildIndex("DID", 10, 0, items(471, 10));
    ASSERT_EQ(f.size() % kPageSize, 0u);
    EXPECT_EQ(u16(f, 0), 6u);
    EXPECT_EQ(u16(f, 12), 18u);
    EXPECT_EQ(u16(f, 14), 10u);
    EXPECT_EQ(u16(f, 16), 0u);
    EXPECT_EQ(u16(f, 18), 50u);
    EXPECT_EQ(u16(f, 20), 25u);
    EXPECT_EQ(std::string(f.c_str() + 22), "DID");
    EXPECT_EQ(f[278], 0);
    EXPECT_EQ(u32(f, 4) + kPageSize, f.size()) << "the root is written last";
}

TEST(NtxIndex, EveryItemComesBackInOrderFromABalancedTree)
{
    // Key length 256 leaves two items per page: deep trees from few items.
    for (int keyLength : {256, 10}) {
        for (int n : {0, 1, 2, 3, 4, 5, 7, 8, 9, 26, 27, 80, 81, 199, 471, 2600, 2601, 6000}) {
            if (keyLength == 256 && n > 600)
                continue;
            const std::vector<Item> in = items(n, keyLength);
            const std::string f = buildIndex("DID", keyLength, 0, in);
            std::vector<Item> out;
            int leafDepth = -1;
            walk(f, u32(f, 4), 0, leafDepth, out);
            ASSERT_EQ(out.size(), in.size()) << keyLength << " / " << n;
            for (std::size_t k = 0; k < in.size(); ++k) {
                ASSERT_EQ(out[k].key, in[k].key);
                ASSERT_EQ(out[k].record, in[k].record);
            }
        }
    }
}

TEST(NtxIndex, RefusesKeysOfTheWrongLength)
{
    EXPECT_THROW(buildIndex("DID", 10, 0, {{"short", 1}}), std::invalid_argument);
    EXPECT_THROW(buildIndex("DID", 0, 0, {}), std::invalid_argument);
    EXPECT_THROW(buildIndex("", 10, 0, {}), std::invalid_argument);
}
