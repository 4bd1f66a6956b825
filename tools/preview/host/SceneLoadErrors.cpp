#include "SceneLoadErrors.h"

#include <utility>

namespace preview {
namespace {

std::string& LastError() {
    static std::string reason;
    return reason;
}

} // namespace

void RecordSceneLoadError(const std::string& reason) {
    if (LastError().empty()) {
        LastError() = reason;
    }
}

std::string TakeSceneLoadError() {
    return std::exchange(LastError(), std::string());
}

} // namespace preview
