#include "plot/engine/iClasses.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "framework/core/Exceptions.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Utf8.h"

namespace dsp {

// ---- scheduling

bool RepaintIsDue(TClockTime lastUpdate, int frameRate, TClockTime now) {
    if (frameRate <= 0) return true;
    // elapsed > 1 s / rate, kept in whole nanoseconds: elapsed * rate > 1 s.
    const auto elapsed = now - lastUpdate;
    return elapsed.count() * static_cast<std::int64_t>(frameRate) > 1'000'000'000;
}

TiUpdateObject& TiUpdateObject::Instance() {
    // Made on first use and kept for the whole run: its timer must not outlive the event loop's
    // shut-down order, and every component unregisters before that.
    static TiUpdateObject* instance = new TiUpdateObject();
    return *instance;
}

TiUpdateObject::TiUpdateObject() = default;

TiUpdateObject::~TiUpdateObject() {
    if (FTimer) FTimer->SetEnabled(false);
}

void TiUpdateObject::AddUpdateControl(IUpdateClient* control) {
    FControlList.push_back(control);
    if (FControlList.size() == 1) {
        if (!FTimer) {
            FTimer = std::make_unique<TTimer>(nullptr);
            FTimer->SetEnabled(false);
            FTimer->SetOnTimer([this](TObject*) { Tick(); });
        }
        FTimer->SetEnabled(true);
    }
}

void TiUpdateObject::RemoveUpdateControl(IUpdateClient* control) {
    const auto it = std::find(FControlList.begin(), FControlList.end(), control);
    if (it != FControlList.end()) FControlList.erase(it);
    if (FControlList.empty() && FTimer) FTimer->SetEnabled(false);
}

bool TiUpdateObject::TimerEnabled() const { return FTimer && FTimer->Enabled(); }

void TiUpdateObject::Tick() {
    // A repaint may create or destroy components: walk a copy, and skip entries that left the
    // list meanwhile instead of reaching a component that no longer exists.
    const std::vector<IUpdateClient*> walk = FControlList;
    const TClockTime now = MonotonicTime();
    for (IUpdateClient* control : walk) {
        if (std::find(FControlList.begin(), FControlList.end(), control) == FControlList.end()) {
            continue;
        }
        if (control->GetUpdateActive() || !control->GetNeedsRepaint()) continue;
        if (RepaintIsDue(control->GetLastUpdate(), control->GetUpdateFrameRate(), now)) {
            control->RepaintNow();
        }
    }
}

// ---- streams

void TiMemoryStream::WriteString(const std::string& value) {
    if (Utf8Length(value) > 255) throw Exception("String Exceeds 255 Characters");
    WriteBuffer(value);
}

void TiMemoryStream::WriteCRLF() { WriteBuffer(std::string_view("\r\n")); }

void TiMemoryStream::WriteStringCRLF(const std::string& value) {
    WriteString(value);
    WriteCRLF();
}

char TiMemoryStream::ReadChar() {
    // Every byte can be read, the last one too: a file that ends in ">" is whole.
    if (Position() >= Size()) throw Exception("EOF");
    char c = 0;
    ReadBuffer(&c, 1);
    return c;
}

void TiXMLMemoryStream::StartElement(const std::string& name) { WriteStringCRLF("<" + name + ">"); }

void TiXMLMemoryStream::EndElement(const std::string& name) { WriteStringCRLF("</" + name + ">"); }

namespace {

// The three characters that would end or open a tag, or start an entity, in a value.
std::string EscapeXmlText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string UnescapeXmlText(const std::string& text) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& [entity, c] : kEntities) {
                if (std::string_view(text).substr(i, entity.size()) == entity) {
                    out += c;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

}  // namespace

void TiXMLMemoryStream::WriteElement(const std::string& name, const std::string& value) {
    WriteString("<" + name + ">");
    WriteString(EscapeXmlText(value));
    WriteString("</" + name + ">");
    WriteCRLF();
}

std::string TiXMLMemoryStream::CollectName() {
    std::string name;
    for (;;) {
        const char c = ReadChar();
        if (c == '>') return name;
        if (c == ' ') {
            while (ReadChar() != '>') {}
            return name;
        }
        name += c;
    }
}

std::string TiXMLMemoryStream::GetNameElementStart() {
    while (ReadChar() != '<') {}
    std::string name;
    for (;;) {
        const char c = ReadChar();
        if (c == '>') break;
        if (c == ' ') {
            while (ReadChar() != '>') {}
            break;
        }
        if (c == '/') {
            while (ReadChar() != '<') {}
            name.clear();
            continue;
        }
        name += c;
    }
    FCurrentElementStart = name;
    return name;
}

void TiXMLMemoryStream::GotoElementStart(const std::string& name) {
    while (GetNameElementStart() != name) {}
}

std::string TiXMLMemoryStream::GetElementValue() {
    std::string value;
    for (;;) {
        const char c = ReadChar();
        if (c == '<') {
            Seek(-1, soCurrent);
            return UnescapeXmlText(value);
        }
        value += c;
    }
}

std::string TiXMLMemoryStream::GetNameElementStop() {
    if (ReadChar() != '<') throw Exception("XML Parsing Error - \"<\" not Found");
    if (ReadChar() != '/') throw Exception("XML Parsing Error - \"/\" not Found");
    return CollectName();
}

void TiXMLMemoryStream::GetElement(const std::string& name, std::string& value) {
    GotoElementStart(name);
    value = GetElementValue();
    while (GetNameElementStop() != name) {}
}

std::string TiXMLMemoryStream::GetNextPiece() {
    // Line breaks and the indentation of hand-written files lie between the pieces.
    char c = ReadChar();
    while (c == '\r' || c == '\n' || c == ' ' || c == '\t') c = ReadChar();
    if (c != '<') {
        Seek(-1, soCurrent);
        return {};
    }
    std::string piece;
    for (c = ReadChar(); c != '>'; c = ReadChar()) piece += c;
    return piece;
}

std::string TiXMLMemoryStream::PeekNextPiece() {
    const std::int64_t position = Position();
    try {
        std::string piece = GetNextPiece();
        SetPosition(position);
        return piece;
    } catch (...) {
        SetPosition(position);
        throw;
    }
}

// ---- value classes

void TiPlotMinMaxPoint::Clear() {
    Empty = true;
    YMax = -1e301;
    YMin = 1e301;
}

void TiPlotMinMaxPoint::AssignDown(const TiPlotMinMaxPoint& source) {
    Empty = source.Empty;
    XPixels = source.XPixels;
    XValue = source.XValue;
    YMax = source.YMax;
    YMin = source.YMin;
    YFirst = source.YFirst;
    YLast = source.YLast;
}

int TiLimitDataList::Add(double value1, double value2, double value3) {
    if (FCount == FCapacity) Grow();
    FList[static_cast<std::size_t>(FCount)] = {value1, value2, value3};
    return FCount++;
}

void TiLimitDataList::Grow() {
    int delta = 16;
    if (FCapacity > 64) {
        delta = FCapacity / 4;
    } else if (FCapacity <= 8) {
        delta = 4;
    }
    SetCapacity(FCapacity + delta);
}

void TiLimitDataList::SetCapacity(int newCapacity) {
    if (newCapacity > 134217727) throw Exception("Exceed Maximum List Size");
    if (newCapacity == FCapacity) return;
    newCapacity = std::max(newCapacity, 0);
    FList.resize(static_cast<std::size_t>(newCapacity));
    FCapacity = newCapacity;
    FCount = std::min(FCount, FCapacity);
}

void TiLimitDataList::Clear() {
    FList.clear();
    FList.shrink_to_fit();
    FCount = 0;
    FCapacity = 0;
}

const TiLimitData& TiLimitDataList::At(int index) const {
    if (index < 0 || index >= FCount) throw Exception("Index out of Bounds");
    return FList[static_cast<std::size_t>(index)];
}

}  // namespace dsp
