#include "base64.h"

#include <cstdint>

namespace vardex {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

int EncodeBase64(std::string_view input, std::span<char> output) {
  if (output.empty())
    return -1;
  input = input.substr(0, input.find('\0'));
  if (input.empty()) {
    output[0] = '\0';
    return -1;
  }
  if (output.size() < Base64Length(input.size()) + 1)
    return -1;

  std::size_t out = 0;
  auto put = [&](unsigned index) { output[out++] = kAlphabet[index & 63]; };
  std::size_t i = 0;
  for (; i + 3 <= input.size(); i += 3) {
    const unsigned b0 = static_cast<std::uint8_t>(input[i]);
    const unsigned b1 = static_cast<std::uint8_t>(input[i + 1]);
    const unsigned b2 = static_cast<std::uint8_t>(input[i + 2]);
    put(b0 >> 2);
    put(((b0 & 3) << 4) | (b1 >> 4));
    put(((b1 & 15) << 2) | (b2 >> 6));
    put(b2 & 63);
  }
  const std::size_t left = input.size() - i;
  if (left == 1) {
    const unsigned b0 = static_cast<std::uint8_t>(input[i]);
    put(b0 >> 2);
    put((b0 & 3) << 4);
    output[out++] = '=';
    output[out++] = '=';
  } else if (left == 2) {
    const unsigned b0 = static_cast<std::uint8_t>(input[i]);
    const unsigned b1 = static_cast<std::uint8_t>(input[i + 1]);
    put(b0 >> 2);
    put(((b0 & 3) << 4) | (b1 >> 4));
    put((b1 & 15) << 2);
    output[out++] = '=';
  }
  output[out] = '\0';
  return 1;
}

}  // namespace vardex
