#include "Decimal.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

std::int32_t decimalField(const std::string& text) noexcept
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}
