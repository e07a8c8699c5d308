#pragma once
#include <cstdint>
#include <string>

// A decimal field read as the platform's 32-bit base-10 string-to-long reads it: leading white
// space, optional sign, digits; no digits give 0; out-of-range values saturate.
std::int32_t decimalField(const std::string& text) noexcept;
