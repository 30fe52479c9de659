#include "framework/text/IniDocument.h"

#include "framework/text/StrUtils.h"

namespace dsp::detail {

namespace {

// The section name of a "[name]" line, or nothing.
std::optional<std::string> SectionName(const std::string& line) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return Trim(std::string_view(t).substr(1, close - 1));
}

bool IsComment(const std::string& line) {
    const std::string t = TrimLeft(line);
    return !t.empty() && t[0] == ';';
}

// The key of a "key=value" line, or nothing.
std::optional<std::string> KeyName(const std::string& line) {
    if (IsComment(line)) return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return Trim(std::string_view(line).substr(0, eq));
}

std::string ValueOf(const std::string& line) {
    std::string v = Trim(std::string_view(line).substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

std::string OneLine(std::string_view value) {
    std::string v(value);
    for (char& c : v) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return v;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

// Whether a section or key name, written into the file, reads back as itself.
bool CanHoldSection(std::string_view section) {
    return !HasLineBreak(section) && section.find(']') == section.npos;
}

bool CanHoldKey(std::string_view key) {
    if (HasLineBreak(key) || key.find('=') != key.npos) return false;
    const std::string t = Trim(key);
    return t.empty() || (t.front() != '[' && t.front() != ';');
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines_.emplace_back(text.substr(i, end - i));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        i = end;
    }
}

std::string IniDocument::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

std::optional<IniDocument::Range> IniDocument::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i]);
        if (!name || !SameText(*name, Trim(section))) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end])) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const Range& range, std::string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        auto name = KeyName(lines_[i]);
        if (name && SameText(*name, Trim(key))) return i;
    }
    return std::nullopt;
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section).has_value();
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    auto range = FindSection(section);
    if (!range) return std::nullopt;
    auto line = FindKey(*range, key);
    if (!line) return std::nullopt;
    return ValueOf(lines_[*line]);
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_) {
        if (auto name = SectionName(line)) names.push_back(*name);
    }
    return names;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    auto range = FindSection(section);
    if (!range) return keys;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        if (auto name = KeyName(lines_[i])) keys.push_back(*name);
    }
    return keys;
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (!CanHoldSection(section) || !CanHoldKey(key)) return false;
    const std::string line = Trim(key) + "=" + OneLine(value);
    auto range = FindSection(section);
    if (!range) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + Trim(section) + "]");
        lines_.push_back(line);
        return true;
    }
    if (auto existing = FindKey(*range, key)) {
        lines_[*existing] = line;
        return true;
    }
    // After the section's last non-blank line, so blank lines before the next section stay there.
    std::size_t at = range->end;
    while (at > range->header + 1 && Trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
    return true;
}

bool IniDocument::EraseSection(std::string_view section) {
    auto range = FindSection(section);
    if (!range) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    auto range = FindSection(section);
    if (!range) return false;
    auto line = FindKey(*range, key);
    if (!line) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    return true;
}

}  // namespace dsp::detail
