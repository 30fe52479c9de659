#pragma once
// The framework's exception family. Every error meant for a person carries a message text;
// the application's exception display shows it.

#include <stdexcept>
#include <string>

namespace dsp {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that is not a number, or an assignment between unrelated persistent classes.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public Exception {
public:
    using Exception::Exception;
    static EListError IndexOutOfBounds(long long index);
};

// A string list operation the list's rules forbid: duplicates where none are allowed, inserting
// into a sorted list, or an index outside the list.
class EStringListError : public EListError {
public:
    using EListError::EListError;
};

// A floating-point value that cannot become an integer (too large, or not a number).
class EInvalidOp : public Exception {
public:
    EInvalidOp() : Exception("Invalid floating point operation") {}
    using Exception::Exception;
};

// A published property that does not exist, cannot be written or is used with the wrong kind.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// A value that does not fit a published property (an enumeration or set value outside its type).
class EPropertyConvertError : public Exception {
public:
    using Exception::Exception;
};

// Stream and file errors: "Stream read error", "Stream write error",
// "Cannot create file \"%s\". %s", "Cannot open file \"%s\". %s".
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// An ini file that could not be written.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// A checked cast to a class the object is not: "Invalid class typecast".
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
    using Exception::Exception;
};

// Component naming and ownership errors.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// A failed call into the operating system or the host toolkit.
class EOSError : public Exception {
public:
    EOSError(std::string message, int code) : Exception(std::move(message)), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

}  // namespace dsp
