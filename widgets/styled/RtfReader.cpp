#include "widgets/styled/RtfReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string_view>

#include "framework/text/Gbk.h"

namespace dsp {

namespace {

constexpr int kMaxDepth = 256;        // deeper groups are read as if flat
constexpr int kMaxWordLength = 32;    // longer control words end there
constexpr int kMaxHalfPoints = 2000;  // 1000 points
constexpr int kMaxIndent = 31680;     // 22 inches, in twips
constexpr int kGbkCharset = 134;
constexpr int kDefaultCharset = 1;
constexpr std::size_t kMaxTabStops = 64;

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Windows-1252 from 0x80 to 0x9F; the other bytes are Latin-1.
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

std::string DecodeBytes(std::string_view bytes, bool gbk) {
    if (gbk) return GbkToUtf8(bytes);
    std::string out;
    for (unsigned char b : bytes) {
        if (b >= 0x80 && b < 0xA0) {
            AppendUtf8(out, kCp1252High[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

enum class TDestination { Text, FontTable, FontEntry, ColorTable, Skip };

struct TState {
    TDestination destination = TDestination::Text;
    TRtfCharFormat format;
    int unicodeSkip = 1;  // \ucN: bytes standing in for each \u character
    // Reading one font-table entry: its name bytes until the semicolon.
    TRtfFontEntry font;
    bool fontDone = false;
};

struct TParagraphFormat {
    TRtfAlignment alignment = TRtfAlignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> tabStops;
};

class TRtfParser {
public:
    explicit TRtfParser(std::string_view bytes) : bytes_(bytes) {}

    TRtfDocument Parse() {
        states_.push_back(TState{});
        while (pos_ < bytes_.size()) {
            const char c = bytes_[pos_];
            if (c == '{') {
                ++pos_;
                OpenGroup();
            } else if (c == '}') {
                ++pos_;
                CloseGroup();
            } else if (c == '\\') {
                ++pos_;
                ControlSequence();
            } else {
                ++pos_;
                if (c == '\r' || c == '\n') continue;
                Byte(static_cast<unsigned char>(c));
            }
        }
        EndParagraph(false);
        return std::move(document_);
    }

private:
    TState& State() { return states_.back(); }

    void OpenGroup() {
        FlushText();
        if (static_cast<int>(states_.size()) >= kMaxDepth) {
            ++flatDepth_;
            return;
        }
        states_.push_back(states_.back());
        if (State().destination == TDestination::FontTable) {
            State().destination = TDestination::FontEntry;
            State().font = TRtfFontEntry{};
            State().fontDone = false;
        }
    }

    void CloseGroup() {
        FlushText();
        if (flatDepth_ > 0) {
            --flatDepth_;
            return;
        }
        if (states_.size() <= 1) return;  // an unmatched brace closes nothing
        const TState closing = states_.back();
        states_.pop_back();
        if (closing.destination == TDestination::FontEntry && !closing.fontDone &&
            State().destination == TDestination::FontTable) {
            AddFont(closing.font);
        }
    }

    void AddFont(TRtfFontEntry font) {
        font.name = DecodeBytes(font.name, font.charset == kGbkCharset);
        while (!font.name.empty() && font.name.back() == ' ') font.name.pop_back();
        while (!font.name.empty() && font.name.front() == ' ') font.name.erase(0, 1);
        if (font.name.empty()) return;
        for (TRtfFontEntry& entry : document_.fonts) {
            if (entry.number == font.number) {
                entry = font;
                return;
            }
        }
        document_.fonts.push_back(font);
    }

    void ControlSequence() {
        if (pos_ >= bytes_.size()) return;
        const char c = bytes_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            ControlWord();
            return;
        }
        ++pos_;
        switch (c) {
            case '\\':
            case '{':
            case '}': Byte(static_cast<unsigned char>(c)); return;
            case '\'': {
                int value = 0;
                int digits = 0;
                while (digits < 2 && pos_ < bytes_.size() &&
                       std::isxdigit(static_cast<unsigned char>(bytes_[pos_]))) {
                    const char h =
                        static_cast<char>(std::tolower(static_cast<unsigned char>(bytes_[pos_])));
                    value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
                    ++pos_;
                    ++digits;
                }
                if (digits > 0) Byte(static_cast<unsigned char>(value));
                return;
            }
            case '~': Unicode(0x00A0); return;
            case '_': Unicode(0x2011); return;
            case '-': return;  // an optional hyphen
            case '*': State().destination = TDestination::Skip; return;
            case '\r':
            case '\n': EndParagraph(true); return;
            default: return;
        }
    }

    void ControlWord() {
        std::string word;
        while (pos_ < bytes_.size() && std::isalpha(static_cast<unsigned char>(bytes_[pos_])) &&
               static_cast<int>(word.size()) < kMaxWordLength) {
            word += bytes_[pos_++];
        }
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (pos_ < bytes_.size() && bytes_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < bytes_.size() && std::isdigit(static_cast<unsigned char>(bytes_[pos_]))) {
            if (digits < 10) param = param * 10 + (bytes_[pos_] - '0');
            ++digits;
            ++pos_;
            hasParam = true;
        }
        if (negative) param = -param;
        if (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
        const int n = static_cast<int>(std::clamp<long long>(param, -2147483647, 2147483647));
        Word(word, hasParam, n);
    }

    void Word(const std::string& w, bool hasParam, int n) {
        TState& s = State();
        // Skipped destinations only count groups; binary data is passed over wherever it is.
        if (w == "bin") {
            FlushText();
            const std::size_t count = static_cast<std::size_t>(std::max(n, 0));
            pos_ += std::min(count, bytes_.size() - pos_);
            return;
        }
        if (s.destination == TDestination::Skip) return;
        if (IsSkippedDestination(w)) {
            FlushText();
            s.destination = TDestination::Skip;
            return;
        }
        if (w == "fonttbl") {
            FlushText();
            s.destination = TDestination::FontTable;
            return;
        }
        if (w == "colortbl") {
            FlushText();
            s.destination = TDestination::ColorTable;
            colorRed_ = colorGreen_ = colorBlue_ = 0;
            colorSet_ = false;
            return;
        }
        if (s.destination == TDestination::FontEntry || s.destination == TDestination::FontTable) {
            if (s.destination == TDestination::FontTable) {
                // A font entry written without its own group.
                s.destination = TDestination::FontEntry;
                s.font = TRtfFontEntry{};
                s.fontDone = false;
            }
            if (w == "f") {
                s.font = TRtfFontEntry{};
                s.font.number = n;
                s.fontDone = false;
            }
            if (w == "fcharset") s.font.charset = n;
            return;
        }
        if (s.destination == TDestination::ColorTable) {
            const int v = std::clamp(n, 0, 255);
            if (w == "red") colorRed_ = v;
            if (w == "green") colorGreen_ = v;
            if (w == "blue") colorBlue_ = v;
            colorSet_ = true;
            return;
        }
        // Text and paragraph formatting.
        const bool on = !hasParam || n != 0;
        if (w == "par") {
            EndParagraph(true);
        } else if (w == "line") {
            AddRun(TRtfRun::TKind::LineBreak);
        } else if (w == "tab") {
            AddRun(TRtfRun::TKind::Tab);
        } else if (w == "pard") {
            FlushText();
            paragraph_ = TParagraphFormat{};
        } else if (w == "plain") {
            FlushText();
            s.format = TRtfCharFormat{};
            s.format.font = document_.defaultFont;
        } else if (w == "b") {
            SetFormat([on](TRtfCharFormat& f) { f.bold = on; });
        } else if (w == "i") {
            SetFormat([on](TRtfCharFormat& f) { f.italic = on; });
        } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash") {
            SetFormat([on](TRtfCharFormat& f) { f.underline = on; });
        } else if (w == "ulnone") {
            SetFormat([](TRtfCharFormat& f) { f.underline = false; });
        } else if (w == "fs") {
            const int size = hasParam ? std::clamp(n, 2, kMaxHalfPoints) : 24;
            SetFormat([size](TRtfCharFormat& f) { f.halfPoints = size; });
        } else if (w == "cf") {
            const int color = std::max(n, 0);
            SetFormat([color](TRtfCharFormat& f) { f.color = color; });
        } else if (w == "f") {
            const int font = n;
            SetFormat([font](TRtfCharFormat& f) { f.font = font; });
        } else if (w == "deff") {
            document_.defaultFont = n;
            s.format.font = n;
        } else if (w == "ansicpg") {
            document_.codePage = n;
        } else if (w == "uc") {
            s.unicodeSkip = std::clamp(n, 0, 16);
        } else if (w == "u" && hasParam) {
            Unicode(static_cast<std::uint32_t>(n < 0 ? n + 65536 : n) & 0xFFFF);
            pendingSkip_ = s.unicodeSkip;
        } else if (w == "ql") {
            paragraph_.alignment = TRtfAlignment::Left;
        } else if (w == "qc") {
            paragraph_.alignment = TRtfAlignment::Center;
        } else if (w == "qr") {
            paragraph_.alignment = TRtfAlignment::Right;
        } else if (w == "qj") {
            paragraph_.alignment = TRtfAlignment::Justify;
        } else if (w == "li") {
            paragraph_.leftIndent = std::clamp(n, -kMaxIndent, kMaxIndent);
        } else if (w == "ri") {
            paragraph_.rightIndent = std::clamp(n, -kMaxIndent, kMaxIndent);
        } else if (w == "fi") {
            paragraph_.firstIndent = std::clamp(n, -kMaxIndent, kMaxIndent);
        } else if (w == "sb") {
            paragraph_.spaceBefore = std::clamp(n, 0, kMaxIndent);
        } else if (w == "sa") {
            paragraph_.spaceAfter = std::clamp(n, 0, kMaxIndent);
        } else if (w == "tx") {
            std::vector<int>& stops = paragraph_.tabStops;
            if (stops.size() < kMaxTabStops) {
                const int stop = std::clamp(n, 0, kMaxIndent);
                stops.insert(std::upper_bound(stops.begin(), stops.end(), stop), stop);
            }
        } else if (w == "emdash") {
            Unicode(0x2014);
        } else if (w == "endash") {
            Unicode(0x2013);
        } else if (w == "bullet") {
            Unicode(0x2022);
        } else if (w == "lquote") {
            Unicode(0x2018);
        } else if (w == "rquote") {
            Unicode(0x2019);
        } else if (w == "ldblquote") {
            Unicode(0x201C);
        } else if (w == "rdblquote") {
            Unicode(0x201D);
        }
    }

    static bool IsSkippedDestination(const std::string& w) {
        static const char* const kSkipped[] = {
            "stylesheet", "info",         "pict",       "object",    "header",
            "headerl",    "headerr",      "headerf",    "footer",    "footerl",
            "footerr",    "footerf",      "fldinst",    "listtable", "listoverridetable",
            "rsidtbl",    "generator",    "xmlnstbl",   "themedata", "colorschememapping",
            "datastore",  "latentstyles", "revtbl",     "filetbl",   "nonshppict",
            "shp",        "footnote",     "annotation", "bkmkstart", "bkmkend"};
        return std::any_of(std::begin(kSkipped), std::end(kSkipped),
                           [&](const char* name) { return w == name; });
    }

    template <typename Change>
    void SetFormat(Change change) {
        TRtfCharFormat next = State().format;
        change(next);
        if (next == State().format) return;
        FlushText();
        State().format = next;
    }

    // A byte of text in the current destination.
    void Byte(unsigned char b) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        TState& s = State();
        switch (s.destination) {
            case TDestination::Skip: return;
            case TDestination::FontTable:
                // Blanks between the entries' groups belong to none.
                if (b == ' ' || b == '\t') return;
                s.destination = TDestination::FontEntry;
                s.font = TRtfFontEntry{};
                s.fontDone = false;
                [[fallthrough]];
            case TDestination::FontEntry:
                if (s.fontDone) return;
                if (b == ';') {
                    AddFont(s.font);
                    s.fontDone = true;
                    return;
                }
                s.font.name += static_cast<char>(b);
                return;
            case TDestination::ColorTable:
                if (b == ';') {
                    document_.colors.push_back(
                        colorSet_ ? static_cast<TColor>(RGB(colorRed_, colorGreen_, colorBlue_))
                                  : clNone);
                    colorRed_ = colorGreen_ = colorBlue_ = 0;
                    colorSet_ = false;
                }
                return;
            case TDestination::Text:
                if (pendingFormat_ != s.format && !pending_.empty()) FlushText();
                pendingFormat_ = s.format;
                pending_ += static_cast<char>(b);
                return;
        }
    }

    void Unicode(std::uint32_t c) {
        if (c == 0 || State().destination != TDestination::Text) return;
        // Bytes waiting in another code page go first.
        FlushBytesOnly();
        if (pendingFormat_ != State().format && !decoded_.empty()) FlushText();
        pendingFormat_ = State().format;
        AppendUtf8(decoded_, c);
    }

    bool IsGbk(int fontNumber) const {
        int charset = kDefaultCharset;
        for (const TRtfFontEntry& f : document_.fonts) {
            if (f.number == fontNumber) charset = f.charset;
        }
        if (charset == kGbkCharset) return true;
        return charset == kDefaultCharset && document_.codePage == 936;
    }

    void FlushBytesOnly() {
        if (pending_.empty()) return;
        decoded_ += DecodeBytes(pending_, IsGbk(pendingFormat_.font));
        pending_.clear();
    }

    void FlushText() {
        FlushBytesOnly();
        if (decoded_.empty()) return;
        TRtfRun run;
        run.text = std::move(decoded_);
        run.format = pendingFormat_;
        decoded_.clear();
        // A run in the same format as the one before joins it.
        if (!runs_.empty() && runs_.back().kind == TRtfRun::TKind::Text &&
            runs_.back().format == run.format) {
            runs_.back().text += run.text;
        } else {
            runs_.push_back(std::move(run));
        }
    }

    void AddRun(TRtfRun::TKind kind) {
        if (State().destination != TDestination::Text) return;
        FlushText();
        TRtfRun run;
        run.kind = kind;
        run.format = State().format;
        runs_.push_back(std::move(run));
    }

    void EndParagraph(bool explicitMark) {
        if (explicitMark && State().destination != TDestination::Text) return;
        FlushText();
        if (!explicitMark && runs_.empty()) return;
        TRtfParagraph p;
        p.runs = std::move(runs_);
        runs_.clear();
        p.alignment = paragraph_.alignment;
        p.leftIndent = paragraph_.leftIndent;
        p.rightIndent = paragraph_.rightIndent;
        p.firstIndent = paragraph_.firstIndent;
        p.spaceBefore = paragraph_.spaceBefore;
        p.spaceAfter = paragraph_.spaceAfter;
        p.tabStops = paragraph_.tabStops;
        p.markFormat = State().format;
        document_.paragraphs.push_back(std::move(p));
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::vector<TState> states_;
    int flatDepth_ = 0;
    TRtfDocument document_;
    TParagraphFormat paragraph_;
    std::vector<TRtfRun> runs_;
    std::string pending_;  // bytes of the current code page not decoded yet
    std::string decoded_;  // text decoded, waiting for its run
    TRtfCharFormat pendingFormat_;
    int pendingSkip_ = 0;
    int colorRed_ = 0;
    int colorGreen_ = 0;
    int colorBlue_ = 0;
    bool colorSet_ = false;
};

}  // namespace

std::string TRtfDocument::FontName(int number) const {
    for (const TRtfFontEntry& f : fonts) {
        if (f.number == number) return f.name;
    }
    return {};
}

TColor TRtfDocument::Color(int index) const {
    if (index <= 0 || index >= static_cast<int>(colors.size())) return clNone;
    return colors[static_cast<std::size_t>(index)];
}

std::string TRtfDocument::PlainText() const {
    std::string text;
    for (const TRtfParagraph& p : paragraphs) {
        for (const TRtfRun& run : p.runs) {
            switch (run.kind) {
                case TRtfRun::TKind::Text: text += run.text; break;
                case TRtfRun::TKind::Tab: text += '\t'; break;
                case TRtfRun::TKind::LineBreak: text += '\v'; break;
            }
        }
        text += "\r\n";
    }
    return text;
}

TRtfDocument ReadRtf(std::string_view bytes) { return TRtfParser(bytes).Parse(); }

}  // namespace dsp
