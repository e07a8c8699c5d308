#pragma once
// A reader for the crash report as the XML component saves it: elements and attributes only,
// kept in document order.
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlElement> children;

    std::vector<std::string> attributeNames() const;
    std::vector<std::string> childNames() const;
    std::string attribute(const std::string& attributeName) const;  // empty when missing
    const XmlElement* child(const std::string& childName) const;
};

// The root element, or nothing when the text is not such a document.
std::optional<XmlElement> parseXml(const std::string& text);
