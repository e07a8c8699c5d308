// Escaping must give one field that unescapes to the text; splitting and joining must restore it.
#include "StringUtil.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string escaped = StringUtil::escape(text);
    if (escaped.find_first_of(" \t\r\n") != std::string::npos)
        std::abort();
    if (StringUtil::unescape(escaped) != text)
        std::abort();
    (void)StringUtil::unescape(text);

    std::vector<std::string> fields;
    StringUtil::split(text, ' ', fields);
    if (StringUtil::join(fields, " ", 0) != text)
        std::abort();
    return 0;
}
