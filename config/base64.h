#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace vardex {

// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks) of the
// bytes of `input` before its first zero byte, followed by a zero byte.
// Returns 1 when the text was encoded. Returns -1 when there is nothing to
// encode (an empty input: the output gets just the zero byte) or when the
// output cannot hold the result with its zero byte (nothing is written).
int EncodeBase64(std::string_view input, std::span<char> output);

// Characters needed for `inputLength` bytes, without the zero byte.
constexpr std::size_t Base64Length(std::size_t inputLength) {
  return 4 * ((inputLength + 2) / 3);
}

}  // namespace vardex
