#include "tests/support/UnexpectedExceptions.h"

#include <gtest/gtest.h>

#include <exception>

#include "framework/core/Exceptions.h"
#include "framework/runtime/Application.h"
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
    // With an application, unexpected exceptions go through its exception handling, as in the
    // program; without one they come straight here.
    if (Application) {
        Application->OnException = [](TObject*, const Exception& e) {
            ADD_FAILURE() << "unexpected exception: " << e.Message();
        };
        return;
    }
    SetUnexpectedExceptionHandler([](std::exception_ptr exception) {
        ADD_FAILURE() << "unexpected exception: " << MessageOf(exception);
    });
}

TUnexpectedExceptionRecorder::TUnexpectedExceptionRecorder() {
    if (Application) {
        Application->OnException = [this](TObject*, const Exception& e) {
            messages_.push_back(e.Message());
        };
        return;
    }
    SetUnexpectedExceptionHandler(
        [this](std::exception_ptr exception) { messages_.push_back(MessageOf(exception)); });
}

TUnexpectedExceptionRecorder::~TUnexpectedExceptionRecorder() { FailOnUnexpectedExceptions(); }

}  // namespace dsp::test
