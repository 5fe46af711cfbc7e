#include "vorlane_renderer/module.h"

#include <utility>

#include "dynamic_library.h"

namespace vorlane::renderer {

Module::Module(Module&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Module& Module::operator=(Module&& other) noexcept {
    if (this != &other) {
        detail::closeLibrary(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

Module::~Module() {
    detail::closeLibrary(handle_);
}

Module Module::open(const std::string& path, std::string* error) {
    std::string message;
    void* handle = detail::openLibrary(path, message);
    if (handle == nullptr && error != nullptr) {
        *error = "cannot load \"" + path + "\": " + message;
    }
    return Module(handle);
}

void* Module::rendererHandle() noexcept {
    return detail::ownModule();
}

void* Module::symbol(const char* name) const noexcept {
    return detail::findSymbol(handle_, name);
}

}  // namespace vorlane::renderer
