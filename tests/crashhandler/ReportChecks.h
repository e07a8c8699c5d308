#pragma once
// The crash report's fixed shape: which elements, in which order, with which attributes.
#include <optional>
#include <string>

#include "XmlTree.h"

// Reads and parses the report at `path`; a test failure when it is missing or malformed.
std::optional<XmlElement> loadReport(const std::wstring& path);
void expectReportShape(const XmlElement& root);
