#include "ntx.h"

#include "bytes.h"
#include "platform/fileio.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace qeln::ntx {

namespace {

using bytes::putU16;
using bytes::putU32;

class TreeWriter {
public:
    TreeWriter(int keyLength, const std::vector<Item>& items)
        : keyLength_(static_cast<std::size_t>(keyLength)), maxItems_(maxItemsPerPage(keyLength)), items_(items)
    {
    }

    // Writes the pages after the header page; returns the root's offset.
    std::uint32_t build(std::string& file)
    {
        file_ = &file;
        const std::uint64_t n = items_.size();
        int height = 1;
        while (capacity(height) < n)
            ++height;
        return subtree(0, items_.size(), height);
    }

private:
    // Keys a subtree of this height holds at most.
    std::uint64_t capacity(int height) const
    {
        const std::uint64_t m = static_cast<std::uint64_t>(maxItems_);
        std::uint64_t cap = m;
        for (int k = 1; k < height && cap < (UINT64_MAX / (m + 2)); ++k)
            cap = m + (m + 1) * cap;
        return cap;
    }

    std::uint32_t subtree(std::size_t lo, std::size_t hi, int height)
    {
        std::string page = emptyPage();
        const std::size_t n = hi - lo;
        if (height == 1) {
            for (std::size_t k = 0; k < n; ++k)
                putItem(page, k, 0, items_[lo + k]);
            putU16(page, 0, static_cast<std::uint16_t>(n));
            return append(page);
        }
        // Children of equal size with one separator key between neighbours.
        const std::uint64_t childCap = capacity(height - 1);
        std::size_t children = static_cast<std::size_t>((n + 1 + childCap) / (childCap + 1));
        if (children < 2)
            children = 2;
        const std::size_t inChildren = n - (children - 1);
        const std::size_t base = inChildren / children;
        const std::size_t extra = inChildren % children;
        if (base == 0)
            throw std::logic_error("NTX tree: empty child page");
        std::size_t at = lo;
        for (std::size_t c = 0; c < children; ++c) {
            const std::size_t size = base + (c < extra ? 1 : 0);
            const std::uint32_t child = subtree(at, at + size, height - 1);
            at += size;
            if (c + 1 < children) {
                putItem(page, c, child, items_[at]);
                ++at;
            } else {
                putItem(page, c, child, Item{std::string(keyLength_, '\0'), 0});
            }
        }
        putU16(page, 0, static_cast<std::uint16_t>(children - 1));
        return append(page);
    }

    std::string emptyPage() const
    {
        std::string page(kPageSize, '\0');
        const std::size_t slots = static_cast<std::size_t>(maxItems_) + 1;
        const std::size_t first = 2 + 2 * slots;
        for (std::size_t k = 0; k < slots; ++k)
            putU16(page, 2 + 2 * k, static_cast<std::uint16_t>(first + k * (keyLength_ + 8)));
        return page;
    }

    void putItem(std::string& page, std::size_t slot, std::uint32_t left, const Item& item) const
    {
        const std::size_t slots = static_cast<std::size_t>(maxItems_) + 1;
        const std::size_t at = 2 + 2 * slots + slot * (keyLength_ + 8);
        putU32(page, at, left);
        putU32(page, at + 4, item.record);
        page.replace(at + 8, keyLength_, item.key);
    }

    std::uint32_t append(const std::string& page)
    {
        const auto offset = static_cast<std::uint32_t>(file_->size());
        *file_ += page;
        return offset;
    }

    std::size_t keyLength_;
    int maxItems_;
    const std::vector<Item>& items_;
    std::string* file_ = nullptr;
};

} // namespace

std::string numericKey(double value, int length, int decimals)
{
    if (length < 1 || length > kMaxKeyLength || decimals < 0 || decimals >= length)
        throw std::invalid_argument("numeric key: bad length or decimals");
    const std::size_t len = static_cast<std::size_t>(length);
    std::string s;
    if (std::isfinite(value)) {
        char buf[400];
        const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
        if (res.ec == std::errc())
            s.assign(buf, res.ptr);
        if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
            s.erase(0, 1);
    }
    if (s.empty() || s.size() > len) {
        std::string nines(len, '9');
        if (!std::isnan(value) && value < 0)
            nines[0] = '-';
        if (decimals > 0)
            nines[len - static_cast<std::size_t>(decimals) - 1] = '.';
        return nines;
    }
    s.insert(0, len - s.size(), '0');
    if (const auto minus = s.find('-'); minus != std::string::npos) {
        s[minus] = '0';
        for (char& c : s)
            if (c >= '0' && c <= '9')
                c = static_cast<char>('0' - (c - '0') - 4);
    }
    return s;
}

int maxItemsPerPage(int keyLength)
{
    int m = static_cast<int>((kPageSize - 2) / static_cast<std::size_t>(keyLength + 10)) - 1;
    if (m > 2 && (m & 1))
        --m;
    return m;
}

std::string buildIndex(const std::string& keyExpression, int keyLength, int keyDecimals,
                       const std::vector<Item>& items)
{
    if (keyLength < 1 || keyLength > kMaxKeyLength)
        throw std::invalid_argument("NTX key length must be 1 to 256");
    if (keyExpression.empty() || keyExpression.size() > 255)
        throw std::invalid_argument("NTX key expression must have 1 to 255 characters");
    for (const Item& it : items)
        if (it.key.size() != static_cast<std::size_t>(keyLength))
            throw std::invalid_argument("NTX key of the wrong length");

    std::string file(kPageSize, '\0');
    const int maxItems = maxItemsPerPage(keyLength);
    TreeWriter tree(keyLength, items);
    const std::uint32_t root = tree.build(file);

    putU16(file, 0, kSignature);
    putU16(file, 2, 1);                                    // version counter
    putU32(file, 4, root);
    putU32(file, 8, 0);                                    // no free page
    putU16(file, 12, static_cast<std::uint16_t>(keyLength + 8));
    putU16(file, 14, static_cast<std::uint16_t>(keyLength));
    putU16(file, 16, static_cast<std::uint16_t>(keyDecimals));
    putU16(file, 18, static_cast<std::uint16_t>(maxItems));
    putU16(file, 20, static_cast<std::uint16_t>(maxItems / 2));
    file.replace(22, keyExpression.size(), keyExpression);  // NUL-terminated by the zero fill
    file[278] = 0;                                          // not unique
    return file;
}

void writeIndex(const std::string& path, const std::string& keyExpression, int keyLength, int keyDecimals,
                const std::vector<Item>& items)
{
    platform::replaceFile(path, buildIndex(keyExpression, keyLength, keyDecimals, items));
}

} // namespace qeln::ntx
