#include "XmlTree.h"

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    std::optional<XmlElement> document()
    {
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0)
            pos_ = 3;
        skipSpace();
        if (text_.compare(pos_, 5, "<?xml") == 0) {
            pos_ = text_.find("?>", pos_);
            if (pos_ == std::string::npos)
                return std::nullopt;
            pos_ += 2;
        }
        XmlElement root;
        if (!element(root))
            return std::nullopt;
        skipSpace();
        return pos_ == text_.size() ? std::optional(root) : std::nullopt;
    }

private:
    bool element(XmlElement& out)
    {
        skipSpace();
        if (!take('<'))
            return false;
        out.name = name();
        for (;;) {
            skipSpace();
            if (take('/'))
                return take('>');
            if (take('>'))
                break;
            std::string attributeName = name();
            skipSpace();
            if (attributeName.empty() || !take('='))
                return false;
            skipSpace();
            std::string value;
            if (!quoted(value))
                return false;
            out.attributes.emplace_back(attributeName, value);
        }
        for (;;) {
            skipSpace();
            if (text_.compare(pos_, 2, "</") == 0) {
                pos_ += 2;
                if (name() != out.name)
                    return false;
                skipSpace();
                return take('>');
            }
            XmlElement child;
            if (!element(child))
                return false;
            out.children.push_back(std::move(child));
        }
    }

    bool quoted(std::string& value)
    {
        if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\''))
            return false;
        const char quote = text_[pos_++];
        const auto end = text_.find(quote, pos_);
        if (end == std::string::npos)
            return false;
        value = unescape(text_.substr(pos_, end - pos_));
        pos_ = end + 1;
        return true;
    }

    static std::string unescape(const std::string& raw)
    {
        static const std::pair<const char*, char> entities[] = {
            {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
        std::string out;
        for (std::size_t i = 0; i < raw.size();) {
            bool replaced = false;
            for (const auto& [entity, c] : entities) {
                const std::string e = entity;
                if (raw.compare(i, e.size(), e) == 0) {
                    out.push_back(c);
                    i += e.size();
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                out.push_back(raw[i++]);
        }
        return out;
    }

    std::string name()
    {
        const auto start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                                       text_[pos_] == ':' || text_[pos_] == '-'))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    bool take(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void skipSpace()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<std::string> XmlElement::attributeNames() const
{
    std::vector<std::string> names;
    for (const auto& [n, v] : attributes)
        names.push_back(n);
    return names;
}

std::vector<std::string> XmlElement::childNames() const
{
    std::vector<std::string> names;
    for (const auto& c : children)
        names.push_back(c.name);
    return names;
}

std::string XmlElement::attribute(const std::string& attributeName) const
{
    for (const auto& [n, v] : attributes)
        if (n == attributeName)
            return v;
    return {};
}

const XmlElement* XmlElement::child(const std::string& childName) const
{
    for (const auto& c : children)
        if (c.name == childName)
            return &c;
    return nullptr;
}

std::optional<XmlElement> parseXml(const std::string& text) { return Parser(text).document(); }
