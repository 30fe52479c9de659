#pragma once
// The lines of an ini file, read and changed with the platform's profile rules: section and key
// names compare without case and without surrounding blanks; the first of equal sections or keys
// counts; a value loses its surrounding blanks and one pair of matching quotes; lines are read
// whole however long. A change replaces the key's line in place, adds a new key after the last
// entry of its section, adds a new section at the end, and keeps every other line as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dsp::detail {

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    // The file text, lines ended by CR LF.
    std::string Text() const;

    bool HasSection(std::string_view section) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    // Line breaks in a value would make lines of their own; they are written as blanks. False,
    // changing nothing, for a name the file cannot hold: a section name with a line break or
    // "]", a key with a line break or "=", or one that begins with "[" or ";" (it would read as
    // a section or a comment and could take the section's other keys with it).
    [[nodiscard]] bool SetValue(std::string_view section, std::string_view key,
                                std::string_view value);
    bool EraseSection(std::string_view section);
    bool DeleteKey(std::string_view section, std::string_view key);

private:
    struct Range {
        std::size_t header;  // the section's "[...]" line
        std::size_t end;     // one past its last line
    };
    std::optional<Range> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(const Range& range, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace dsp::detail
