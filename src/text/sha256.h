#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lotwise {

// The SHA-256 digest of the bytes (FIPS 180-4): what a Content-Security-Policy names an
// inline script or style sheet by.
std::array<std::uint8_t, 32> Sha256(std::string_view bytes);

// The bytes in base64 (RFC 4648, with "+", "/" and "=" padding).
std::string Base64(std::string_view bytes);

}  // namespace lotwise
