#include "framework/desktop/DialogService.h"

#include "framework/desktop/QtDialogService.h"

namespace dsp {

namespace {

IDialogService* installed = nullptr;

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

IDialogService& DialogService() {
    if (installed != nullptr) return *installed;
    return QtDialogService();
}

IDialogService* SetDialogService(IDialogService* service) {
    IDialogService* previous = installed;
    installed = service;
    return previous;
}

std::vector<TFileFilter> ParseFilter(const std::string& filter) {
    std::vector<TFileFilter> filters;
    if (filter.empty()) return filters;
    const std::vector<std::string> parts = SplitAt(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        TFileFilter f;
        f.description = parts[i];
        for (const std::string& pattern : SplitAt(parts[i + 1], ';')) {
            const std::string p = Trimmed(pattern);
            if (!p.empty()) f.patterns.push_back(p);
        }
        filters.push_back(std::move(f));
    }
    return filters;
}

}  // namespace dsp
