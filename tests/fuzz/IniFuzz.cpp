// libFuzzer target over the ini reader and its changes. The input is an ini text and a run of
// changes (set a value, delete a key, erase a section) with names and values from the input:
//   - the text written out reads back to the same text and the same values (reparse stable);
//   - a change touches only what it names: every other key of every section keeps its value;
//   - a value set reads back as set, without its line breaks, surrounding blanks and one pair
//     of matching quotes;
//   - a name the file cannot hold is refused, and the refusal changes nothing.
// A broken rule aborts, which libFuzzer reports as a crash.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "framework/text/IniDocument.h"
#include "framework/text/StrUtils.h"

namespace dsp {
namespace {

using detail::IniDocument;
// Every readable value, by section and key as the document names them (the first of equal
// names counts, so later duplicates are left out).
using Contents = std::map<std::pair<std::string, std::string>, std::string>;

// The line of the broken rule goes to the error stream before the abort.
void Check(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "broken rule at line %d\n", line);
    std::abort();
}

std::string Key(const std::string& name) { return UpperCase(Trim(name)); }

Contents Read(const IniDocument& doc) {
    Contents contents;
    for (const std::string& section : doc.Sections()) {
        for (const std::string& key : doc.Keys(section)) {
            const auto id = std::make_pair(Key(section), Key(key));
            if (contents.count(id) != 0) continue;
            if (auto value = doc.Value(section, key)) contents[id] = *value;
        }
    }
    return contents;
}

void CheckStable(const IniDocument& doc) {
    const std::string text = doc.Text();
    const IniDocument again(text);
    Check(again.Text() == text);
    Check(Read(again) == Read(doc));
}

// What reading gives back for a value set: line breaks became blanks, then surrounding blanks
// and one pair of matching quotes went.
std::string AsRead(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// Every entry of before but those the predicate leaves out reads the same in after.
template <typename Skip>
void CheckOthersKept(const Contents& before, const Contents& after, Skip skip) {
    for (const auto& [id, value] : before) {
        if (skip(id)) continue;
        const auto found = after.find(id);
        Check(found != after.end() && found->second == value);
    }
}

}  // namespace
}  // namespace dsp

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dsp;
    FuzzedDataProvider input(data, size);
    IniDocument doc(input.ConsumeRandomLengthString(2048));
    CheckStable(doc);
    while (input.remaining_bytes() > 0) {
        const int op = input.ConsumeIntegralInRange<int>(0, 2);
        const std::string section = input.ConsumeRandomLengthString(24);
        const std::string key = input.ConsumeRandomLengthString(24);
        const Contents before = Read(doc);
        const std::string textBefore = doc.Text();
        if (op == 0) {
            const std::string value = input.ConsumeRandomLengthString(64);
            const bool taken = doc.SetValue(section, key, value);
            const Contents after = Read(doc);
            if (!taken) {
                Check(doc.Text() == textBefore);
                continue;
            }
            const auto id = std::make_pair(Key(section), Key(key));
            Check(doc.Value(section, key) == AsRead(value));
            CheckOthersKept(before, after, [&](const auto& other) { return other == id; });
        } else if (op == 1) {
            const auto id = std::make_pair(Key(section), Key(key));
            doc.DeleteKey(section, key);
            CheckOthersKept(before, Read(doc), [&](const auto& other) { return other == id; });
        } else {
            doc.EraseSection(section);
            CheckOthersKept(before, Read(doc),
                            [&](const auto& other) { return other.first == Key(section); });
        }
        CheckStable(doc);
    }
    return 0;
}
