#pragma once
// Streams: TStream (a position in a sequence of bytes), TMemoryStream (the bytes in memory) and
// TFileStream (a file).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Object.h"

namespace dsp {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Up to count bytes; returns how many were read or written.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // The new position. Seeking before the start raises EStreamError.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size) = 0;

    // Exactly count bytes, or EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    void WriteBuffer(std::string_view bytes) {
        WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    }
    // Copies count bytes from source's position on; count 0 copies the whole source from its
    // start. Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
    // Every byte from the position to the end.
    std::string ReadRest();
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t size) override;

    void Clear();
    const std::uint8_t* Memory() const { return data_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return data_; }

    // Replaces the content with the whole of a stream or file and moves to the start.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    // Writes the whole content, whatever the position.
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

// Open modes (one of them) combined with share modes; the share modes are accepted for the
// callers' sake and not enforced.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,  // create the file, or empty an existing one, for writing and reading
};

class TFileStream : public TStream {
public:
    // EFCreateError "Cannot create file "<name>". <reason>" or EFOpenError "Cannot open file ...".
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    int fd_ = -1;
};

}  // namespace dsp
