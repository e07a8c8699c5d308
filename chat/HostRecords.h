#pragma once
// The records posted to the host: allocation of a record of a message number, copies of strings
// and lists into blocks of the record heap, and the release that Yarnly_FreeMsg performs. One
// table of layouts drives the completeness check and the release, so a record is always freed
// exactly as it was built.
#include <cstdint>
#include <string>
#include <vector>

#include "Yarnly.h"

// A zero-filled record of the message's size; null for an unknown number or without memory.
void* allocRecord(uint32_t message);

// A NUL-terminated copy up to the first NUL; null without memory.
char* copyText(const std::string& text);
// An array of `items.size()` copies; null without memory (partial copies stay for the release).
char** copyTextList(const std::vector<std::string>& items);

struct MemberText {
    std::string id, nickname, info, extra;
};
ChatMemberEntry** copyMemberList(const std::vector<MemberText>& members);

// True when every text, list and entry of the record was allocated.
bool isRecordComplete(uint32_t message, const void* record);

// False, touching nothing, for numbers that carry no record. A null record is ignored.
bool freeRecord(uint32_t message, void* record);
