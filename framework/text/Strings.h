#pragma once
// TStrings: the framework's list of text lines with an object on each line. The shared rules live
// here (case-insensitive look-up, name=value pairs, Text with CR LF, CommaText, files); where the
// lines are kept is up to each kind of list (TStringList keeps them itself; a list box or memo
// keeps them in its control).

#include <string>
#include <string_view>

#include "framework/core/Object.h"

namespace dsp {

class TStream;

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    // The line at index; EStringListError "List index out of bounds (<index>)" outside the list.
    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& text) { Put(index, text); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    virtual int Add(const std::string& text);
    int AddObject(const std::string& text, TObject* object);
    virtual void Insert(int index, const std::string& text) = 0;
    void InsertObject(int index, const std::string& text, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int index1, int index2);
    void Move(int fromIndex, int toIndex);
    void AddStrings(const TStrings& other);

    // The first line equal to text (compared without case unless the list says otherwise), or -1.
    virtual int IndexOf(const std::string& text) const;
    // The first line whose name (the text before its first "=") equals name, or -1.
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(const TObject* object) const;

    // Name=value lines: Names gives the part before the first "=" (empty without one), Values the
    // part after it of the first line with that name. Setting a value replaces that line's value,
    // appends a new line, or, with an empty value, deletes the line.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(const std::string& name) const;
    void SetValues(const std::string& name, const std::string& value);

    // Every line followed by CR LF. Setting it splits at CR LF, CR or LF; a final line break
    // makes no empty last line.
    std::string Text() const;
    virtual void SetText(std::string_view text);

    // The lines joined by Delimiter (default ","), a line that holds a blank, a control character,
    // the delimiter or QuoteChar (default '"') written quoted with inner quotes doubled. Reading
    // splits at delimiters and at blanks outside quotes; a delimiter at the very end adds an
    // empty line.
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);
    std::string CommaText() const;
    void SetCommaText(std::string_view text);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char quote) { quoteChar_ = quote; }

    // Files are bytes as they stand (UTF-8 inside the program) with CR LF line ends; a UTF-8
    // byte-order mark at the start of a loaded file is dropped. Saving writes the file whole or
    // not at all. EFOpenError / EFCreateError "Cannot open|create file "<name>". <reason>".
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    // Changes between BeginUpdate and the matching EndUpdate are announced once.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    bool Equals(const TStrings& other) const;
    void Assign(TPersistent* source) override;
    // In a form stream the lines travel as the list property "Strings" (none when empty).
    void DefineProperties(TFiler* filer) override;

protected:
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    // Told when the first BeginUpdate opens (true) and the last EndUpdate closes (false).
    virtual void SetUpdateState(bool updating);
    virtual int CompareStrings(const std::string& a, const std::string& b) const;

private:
    std::string JoinDelimited(char delimiter, char quoteChar) const;
    void SplitDelimited(std::string_view text, char delimiter, char quoteChar);

    int updateCount_ = 0;
    char delimiter_ = ',';
    char quoteChar_ = '"';
};

}  // namespace dsp
