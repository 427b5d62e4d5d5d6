// The wildcard match against a small recursive reference matcher.
//
// Input: the pattern, a zero byte, the name (without a zero byte, the whole input is
// the pattern and the name is empty).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "platform/Wildcard.h"

namespace {

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The textbook definition, memoised so that patterns full of stars stay cheap: "*"
// matches any run, "?" any one character, anything else itself regardless of ASCII case.
class ReferenceMatcher {
public:
    ReferenceMatcher(std::string_view pattern, std::string_view name)
        : m_Pattern(pattern),
          m_Name(name),
          m_Memo((pattern.size() + 1) * (name.size() + 1), kUnknown) {}

    bool Matches(std::size_t p = 0, std::size_t n = 0) {
        signed char& memo = m_Memo[p * (m_Name.size() + 1) + n];
        if (memo == kUnknown) {
            memo = Compute(p, n) ? 1 : 0;
        }
        return memo == 1;
    }

private:
    static constexpr signed char kUnknown = -1;

    bool Compute(std::size_t p, std::size_t n) {
        if (p == m_Pattern.size()) {
            return n == m_Name.size();
        }
        if (m_Pattern[p] == '*') {
            return Matches(p + 1, n) || (n < m_Name.size() && Matches(p, n + 1));
        }
        if (n == m_Name.size()) {
            return false;
        }
        return (m_Pattern[p] == '?' || Fold(m_Pattern[p]) == Fold(m_Name[n])) &&
               Matches(p + 1, n + 1);
    }

    std::string_view m_Pattern;
    std::string_view m_Name;
    std::vector<signed char> m_Memo;
};

// The directory-search rule on top: a final ".*" may also stand for no extension.
bool ReferenceMatch(std::string_view pattern, std::string_view name) {
    if (ReferenceMatcher(pattern, name).Matches()) {
        return true;
    }
    constexpr std::string_view anyExtension = ".*";
    return pattern.size() >= anyExtension.size() &&
           pattern.substr(pattern.size() - anyExtension.size()) == anyExtension &&
           ReferenceMatcher(pattern.substr(0, pattern.size() - anyExtension.size()), name)
               .Matches();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string_view pattern = input.substr(0, zero);
    const std::string_view name =
        zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);
    if (pattern.size() > 512 || name.size() > 512) {
        return 0;  // keeps the reference's table small; length adds nothing new
    }
    dorvane::fuzz::Check(
        dorvane::platform::WildcardMatch(pattern, name) == ReferenceMatch(pattern, name),
        "the match agrees with the reference matcher", {{"pattern", pattern}, {"name", name}});
    return 0;
}
