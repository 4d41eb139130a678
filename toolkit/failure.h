// How an exception reads in an error box.
#pragma once

#include <exception>
#include <new>
#include <string>

namespace kvizaro {

// What the exception says; a failed allocation says "std::bad_alloc", which tells a user nothing.
inline std::string failureMessage(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return "Out of memory";
    }
    return error.what();
}

} // namespace kvizaro
