#include "Tokens.h"

std::vector<std::string> tokenize(const std::string& text, char separator, std::size_t maxTokens)
{
    std::vector<std::string> tokens;
    for (std::size_t pos = 0; tokens.size() < maxTokens;) {
        pos = text.find_first_not_of(separator, pos);
        if (pos == std::string::npos)
            break;
        const std::size_t end = text.find(separator, pos);
        tokens.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end;
    }
    return tokens;
}
