#include "framework/text/Strings.h"

#include "framework/core/Exceptions.h"
#include "framework/text/Filer.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Streams.h"
#include "framework/text/WholeFile.h"

namespace dsp {

int TStrings::Add(const std::string& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const std::string& text, TObject* object) {
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& text, TObject* object) {
    Insert(index, text);
    PutObject(index, object);
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    try {
        const std::string text = Get(index1);
        TObject* object = GetObject(index1);
        Put(index1, Get(index2));
        PutObject(index1, GetObject(index2));
        Put(index2, text);
        PutObject(index2, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int fromIndex, int toIndex) {
    if (fromIndex == toIndex) return;
    BeginUpdate();
    try {
        const std::string text = Get(fromIndex);
        TObject* object = GetObject(fromIndex);
        Delete(fromIndex);
        InsertObject(toIndex, text, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    try {
        for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i) {
        if (CompareStrings(Get(i), text) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        const auto eq = line.find('=');
        if (eq != std::string::npos && CompareStrings(line.substr(0, eq), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i) {
        if (GetObject(i) == object) return i;
    }
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string line = Get(index);
    const auto eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string line = Get(index);
    const auto eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStrings::Values(const std::string& name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
        return;
    }
    if (index >= 0) {
        Put(index, name + "=" + value);
    } else {
        Add(name + "=" + value);
    }
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    try {
        Clear();
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t end = i;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
            Add(std::string(text.substr(i, end - i)));
            if (end < text.size() && text[end] == '\r') ++end;
            if (end < text.size() && text[end] == '\n') ++end;
            i = end;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quoteChar_); }

void TStrings::SetDelimitedText(std::string_view text) {
    SplitDelimited(text, delimiter_, quoteChar_);
}

std::string TStrings::CommaText() const { return JoinDelimited(',', '"'); }

void TStrings::SetCommaText(std::string_view text) { SplitDelimited(text, ',', '"'); }

std::string TStrings::JoinDelimited(char delimiter, char quoteChar) const {
    if (Count() == 1 && Get(0).empty()) return std::string(2, quoteChar);
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        bool quote = false;
        for (char c : line) {
            if (static_cast<unsigned char>(c) <= ' ' || c == quoteChar || c == delimiter) {
                quote = true;
                break;
            }
        }
        if (i > 0) text.push_back(delimiter);
        text += quote ? AnsiQuotedStr(line, quoteChar) : line;
    }
    return text;
}

void TStrings::SplitDelimited(std::string_view text, char delimiter, char quoteChar) {
    auto blank = [](char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; };
    BeginUpdate();
    try {
        Clear();
        std::size_t p = 0;
        while (p < text.size() && blank(text[p])) ++p;
        while (p < text.size()) {
            std::string item;
            if (text[p] == quoteChar) {
                item = AnsiExtractQuotedStr(text, p, quoteChar);
            } else {
                const std::size_t start = p;
                while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' &&
                       text[p] != delimiter) {
                    ++p;
                }
                item = std::string(text.substr(start, p - start));
            }
            Add(item);
            while (p < text.size() && blank(text[p])) ++p;
            if (p < text.size() && text[p] == delimiter) {
                if (p + 1 == text.size()) Add("");
                do {
                    ++p;
                } while (p < text.size() && blank(text[p]));
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromFile(const std::string& fileName) {
    std::string error;
    auto content = ReadWholeFile(fileName, &error);
    if (!content) throw EFOpenError("Cannot open file \"" + fileName + "\". " + error);
    std::string_view text = *content;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    SetText(text);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    std::string error;
    if (!WriteWholeFile(fileName, Text(), &error)) {
        throw EFCreateError("Cannot create file \"" + fileName + "\". " + error);
    }
}

void TStrings::LoadFromStream(TStream& stream) { SetText(stream.ReadRest()); }

void TStrings::SaveToStream(TStream& stream) const { stream.WriteBuffer(Text()); }

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i) {
        if (Get(i) != other.Get(i)) return false;
    }
    return true;
}

void TStrings::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TStrings*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        delimiter_ = other->delimiter_;
        quoteChar_ = other->quoteChar_;
        AddStrings(*other);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Put(int index, const std::string& text) {
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, text, object);
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
    return CompareText(a, b);
}

void TStrings::DefineProperties(TFiler* filer) {
    filer->DefineProperty(
        "Strings",
        [this](TReader& reader) {
            BeginUpdate();
            try {
                Clear();
                reader.ReadListBegin();
                while (!reader.EndOfList()) Add(reader.ReadString());
                reader.ReadListEnd();
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i) writer.WriteString(Strings(i));
            writer.WriteListEnd();
        },
        Count() > 0);
}

}  // namespace dsp
