#pragma once

#include <string>

#include "core/Translatable.hpp"

namespace tilvaren {

// Receives the internal-error messages ("例外発生 <routine> 引数=<value>").
// The window shows each as a plain message box; tests record them. An
// implementation must return: the routine that reported goes on with its
// out-of-range marker.
class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    virtual void InternalError(const MarkedText& text) = 0;
};

// Drops every message; for callers that have already validated their input.
class SilentErrorSink final : public ErrorSink {
public:
    void InternalError(const MarkedText&) override {}
};

// The message shared by every internal error: "例外発生 " + routine + " 引数=" + value.
MarkedText InternalErrorText(const std::string& routine, const std::string& value);

}  // namespace tilvaren
