#include "tests/support/UnexpectedExceptions.h"

#include <gtest/gtest.h>

#include <exception>

#include "framework/runtime/MainThread.h"

namespace dsp::test {
namespace {

std::string MessageOf(std::exception_ptr exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "(not a standard exception)";
    }
}

}  // namespace

void FailOnUnexpectedExceptions() {
    SetUnexpectedExceptionHandler([](std::exception_ptr exception) {
        ADD_FAILURE() << "unexpected exception: " << MessageOf(exception);
    });
}

TUnexpectedExceptionRecorder::TUnexpectedExceptionRecorder() {
    SetUnexpectedExceptionHandler(
        [this](std::exception_ptr exception) { messages_.push_back(MessageOf(exception)); });
}

TUnexpectedExceptionRecorder::~TUnexpectedExceptionRecorder() {
    FailOnUnexpectedExceptions();
}

}  // namespace dsp::test
