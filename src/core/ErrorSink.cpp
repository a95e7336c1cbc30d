#include "core/ErrorSink.hpp"

namespace tilvaren {

MarkedText InternalErrorText(const std::string& routine, const std::string& value) {
    return {TILVAREN_TR_NOOP("Engine", "例外発生 %1 引数=%2"), {routine, value}};
}

}  // namespace tilvaren
