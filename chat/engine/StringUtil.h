#pragma once
// The line grammar's text operations, byte by byte, with no notion of a character encoding.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class StringUtil {
public:
    virtual ~StringUtil() = default;

    // Appends one more field than text has sep bytes (an empty text gives one empty field).
    static void split(std::string_view text, char sep, std::vector<std::string>& out);
    // The items from index skip on, sep between them; empty when skip is past the end.
    static std::string join(const std::vector<std::string>& items, std::string_view sep, std::size_t skip);
    // CR, LF, TAB, space and backslash become backslash sequences, so the result is one field.
    static std::string escape(std::string_view text);
    // Inverse of escape; an unknown sequence yields nothing, a trailing backslash stays.
    static std::string unescape(std::string_view text);
};
