#include "core/ErrorSink.hpp"

namespace tilvaren {

std::string InternalErrorText(const std::string& routine, const std::string& value) {
    return "例外発生 " + routine + " 引数=" + value;
}

}  // namespace tilvaren
