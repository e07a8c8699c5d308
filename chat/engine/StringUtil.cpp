#include "StringUtil.h"

void StringUtil::split(std::string_view text, char sep, std::vector<std::string>& out)
{
    for (;;) {
        const std::size_t at = text.find(sep);
        if (at == std::string_view::npos) {
            out.emplace_back(text);
            return;
        }
        out.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
}

std::string StringUtil::join(const std::vector<std::string>& items, std::string_view sep, std::size_t skip)
{
    std::string text;
    for (std::size_t i = skip; i < items.size(); ++i) {
        if (i != skip)
            text += sep;
        text += items[i];
    }
    return text;
}

std::string StringUtil::escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case ' ': out += "\\s"; break;
        case '\\': out += "\\\\"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string StringUtil::unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 's': out += ' '; break;
        case 't': out += '\t'; break;
        default: break; // an unknown sequence stands for nothing
        }
    }
    return out;
}
