#include "ControlText.h"

#include "Tokens.h"

namespace {

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size())
        out.append(text, pos, hit - pos).append(to);
    out.append(text, pos, std::string::npos);
    return out;
}

// "%" first, so the "%" of "%26" is not escaped again.
std::string escapeField(const std::string& text)
{
    return replaceAll(replaceAll(text, "%", "%25"), "&", "%26");
}

std::string unescapeField(const std::string& text)
{
    return replaceAll(replaceAll(text, "%26", "&"), "%25", "%");
}

}  // namespace

std::string encodeControl(const std::string& target, const std::string& value1, const std::string& value2)
{
    return escapeField(target) + "&" + escapeField(value1) + "&" + escapeField(value2);
}

PendingControl decodeControl(const std::string& text)
{
    std::vector<std::string> tokens = tokenize(text, '&', 3);
    tokens.resize(3);
    return {unescapeField(tokens[0]), unescapeField(tokens[1]), unescapeField(tokens[2])};
}
