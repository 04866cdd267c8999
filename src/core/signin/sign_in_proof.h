#pragma once
// The one-time values that tie a browser sign-in to the attempt that started it.
#include <string>
#include <string_view>

namespace vesk {

// 32 bytes from the kernel's secure random source as unpadded base64url text: 43
// characters of A-Z, a-z, 0-9, "-" and "_". Throws VeskError if the source fails.
std::string secureRandomText();

// Unpadded base64url of the SHA-256 of the verifier's bytes (43 characters).
std::string challengeFor(std::string_view verifier);

// Unpadded base64url of any bytes.
std::string base64Url(std::string_view bytes);

}  // namespace vesk
