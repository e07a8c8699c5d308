#include "ServerText.h"

std::string escapeField(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case ' ': out += "\\s"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescapeField(const std::string& text)
{
    std::string out;
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
        default: break;
        }
    }
    return out;
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    for (std::size_t space; (space = line.find(' ', pos)) != std::string::npos; pos = space + 1)
        fields.push_back(line.substr(pos, space - pos));
    fields.push_back(line.substr(pos));
    return fields;
}
