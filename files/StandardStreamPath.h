#pragma once

#include <optional>
#include <string_view>

namespace pemrix {

// The descriptor a path names among those the program was started with: /dev/stdin,
// /dev/stdout and /dev/stderr, /dev/fd/N and /proc/self/fd/N. Such a stream is used through
// the descriptor itself, never opened anew or replaced. Nothing for any other path.
std::optional<int> InheritedDescriptor(std::string_view path);

} // namespace pemrix
