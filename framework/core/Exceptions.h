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
