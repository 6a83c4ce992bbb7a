#include "accelerators.h"

namespace qeln {

namespace {
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

char acceleratorOf(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return lower(text[i + 1]);
    }
    return 0;
}

std::vector<std::string> withAccelerators(const std::vector<std::string>& texts, const std::string& reserved)
{
    std::string used;
    for (char c : reserved)
        used += lower(c);
    for (const std::string& t : texts)
        if (const char a = acceleratorOf(t))
            used += a;
    auto isFree = [&](char c) { return isAsciiLetter(c) && used.find(lower(c)) == std::string::npos; };

    std::vector<std::string> out = texts;
    for (std::string& t : out) {
        if (acceleratorOf(t) != 0)
            continue;
        std::size_t at = std::string::npos;
        for (std::size_t i = 0; i < t.size() && at == std::string::npos; ++i) {
            const bool wordStart = i == 0 || t[i - 1] == ' ' || t[i - 1] == '-' || t[i - 1] == '.';
            if (wordStart && isFree(t[i]))
                at = i;
        }
        for (std::size_t i = 0; i < t.size() && at == std::string::npos; ++i)
            if (isFree(t[i]))
                at = i;
        if (at == std::string::npos)
            continue;
        used += lower(t[at]);
        t = t.substr(0, at) + '&' + t.substr(at);
    }
    return out;
}

} // namespace qeln
