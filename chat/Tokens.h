#pragma once
// Splitting as a tokenizer does: leading separators are skipped and a run of them counts as one,
// so empty fields vanish.
#include <string>
#include <vector>

std::vector<std::string> tokenize(const std::string& text, char separator, std::size_t maxTokens);
