#include "framework/text/StrUtils.h"

#include <algorithm>

namespace dsp {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int Compare(std::string_view a, std::string_view b, bool ignoreCase) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(ignoreCase ? Upper(a[i]) : a[i]);
        const auto y = static_cast<unsigned char>(ignoreCase ? Upper(b[i]) : b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1])) --n;
    return std::string(text.substr(0, n));
}

std::string UpperCase(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(), Upper);
    return s;
}

std::string LowerCase(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(), Lower);
    return s;
}

bool SameText(std::string_view a, std::string_view b) { return Compare(a, b, true) == 0; }

int CompareText(std::string_view a, std::string_view b) { return Compare(a, b, true); }

int CompareStr(std::string_view a, std::string_view b) { return Compare(a, b, false); }

std::string StringReplace(std::string_view text, std::string_view pattern,
                          std::string_view replacement, TReplaceFlags flags) {
    if (pattern.empty()) return std::string(text);
    const bool ignoreCase = flags.Contains(rfIgnoreCase);
    const std::string haystack = ignoreCase ? UpperCase(text) : std::string(text);
    const std::string needle = ignoreCase ? UpperCase(pattern) : std::string(pattern);
    std::string out;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = haystack.find(needle, from);
        if (at == std::string::npos) break;
        out.append(text.substr(from, at - from));
        out.append(replacement);
        from = at + needle.size();
        if (!flags.Contains(rfReplaceAll)) break;
    }
    out.append(text.substr(from));
    return out;
}

std::string AnsiQuotedStr(std::string_view text, char quote) {
    std::string s(1, quote);
    for (char c : text) {
        s.push_back(c);
        if (c == quote) s.push_back(quote);
    }
    s.push_back(quote);
    return s;
}

std::string QuotedStr(std::string_view text) { return AnsiQuotedStr(text, '\''); }

std::string AnsiExtractQuotedStr(std::string_view text, std::size_t& pos, char quote) {
    std::string s;
    if (pos >= text.size() || text[pos] != quote) return s;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                s.push_back(quote);
                pos += 2;
                continue;
            }
            ++pos;
            return s;
        }
        s.push_back(text[pos++]);
    }
    return s;
}

}  // namespace dsp
