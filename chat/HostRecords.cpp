#include "HostRecords.h"

#include <cstddef>
#include <cstring>

#include "RecordHeap.h"

namespace {

struct ListLayout {
    std::size_t countOffset;
    std::size_t itemsOffset;
    bool members;  // entries of four texts, else plain texts
};

struct RecordLayout {
    uint32_t message;
    std::size_t size;
    std::vector<std::size_t> texts;
    bool hasList;
    ListLayout list;
};

#define FIELD(record, field) offsetof(record, field)

const std::vector<RecordLayout>& layouts()
{
    static const std::vector<RecordLayout> table = {
        {CHATMSG_KICK, sizeof(ChatKickRecord),
         {FIELD(ChatKickRecord, source), FIELD(ChatKickRecord, member), FIELD(ChatKickRecord, reason)}, false, {}},
        {CHATMSG_PART, sizeof(ChatPartRecord), {FIELD(ChatPartRecord, id)}, false, {}},
        {CHATMSG_JOIN, sizeof(ChatJoinRecord),
         {FIELD(ChatJoinRecord, id), FIELD(ChatJoinRecord, nickname), FIELD(ChatJoinRecord, info),
          FIELD(ChatJoinRecord, extra)},
         false, {}},
        {CHATMSG_MSG, sizeof(ChatMsgRecord),
         {FIELD(ChatMsgRecord, source), FIELD(ChatMsgRecord, kind), FIELD(ChatMsgRecord, text)}, false, {}},
        {CHATMSG_SET, sizeof(ChatSetRecord),
         {FIELD(ChatSetRecord, source1), FIELD(ChatSetRecord, source2), FIELD(ChatSetRecord, key),
          FIELD(ChatSetRecord, value)},
         false, {}},
        {CHATMSG_PERM, sizeof(ChatPermRecord),
         {FIELD(ChatPermRecord, source1), FIELD(ChatPermRecord, source2), FIELD(ChatPermRecord, target),
          FIELD(ChatPermRecord, value), FIELD(ChatPermRecord, extra)},
         false, {}},
        {CHATMSG_SYSMSG, sizeof(ChatSysmsgRecord), {FIELD(ChatSysmsgRecord, text)}, false, {}},
        {CHATMSG_REPORT, sizeof(ChatReportRecord),
         {FIELD(ChatReportRecord, source1), FIELD(ChatReportRecord, source2), FIELD(ChatReportRecord, target),
          FIELD(ChatReportRecord, reason), FIELD(ChatReportRecord, extra)},
         true, {offsetof(ChatReportRecord, itemCount), offsetof(ChatReportRecord, items), false}},
        {CHATMSG_KICK_EX, sizeof(ChatKickExRecord),
         {FIELD(ChatKickExRecord, source), FIELD(ChatKickExRecord, member), FIELD(ChatKickExRecord, reason),
          FIELD(ChatKickExRecord, controlValue2)},
         false, {}},
        {CHATMSG_PERM_EX, sizeof(ChatPermExRecord),
         {FIELD(ChatPermExRecord, source1), FIELD(ChatPermExRecord, source2), FIELD(ChatPermExRecord, target),
          FIELD(ChatPermExRecord, value), FIELD(ChatPermExRecord, extra), FIELD(ChatPermExRecord, controlValue2)},
         false, {}},
        {CHATMSG_REPORT_EX, sizeof(ChatReportExRecord),
         {FIELD(ChatReportExRecord, source1), FIELD(ChatReportExRecord, source2), FIELD(ChatReportExRecord, target),
          FIELD(ChatReportExRecord, reporterValue1), FIELD(ChatReportExRecord, reason),
          FIELD(ChatReportExRecord, extra), FIELD(ChatReportExRecord, reporterValue2),
          FIELD(ChatReportExRecord, targetValue2)},
         true, {offsetof(ChatReportExRecord, itemCount), offsetof(ChatReportExRecord, items), false}},
        {CHATMSG_NICK_EX, sizeof(ChatNickExRecord),
         {FIELD(ChatNickExRecord, source1), FIELD(ChatNickExRecord, source2), FIELD(ChatNickExRecord, key),
          FIELD(ChatNickExRecord, value), FIELD(ChatNickExRecord, controlValue1),
          FIELD(ChatNickExRecord, controlValue2)},
         false, {}},
        {CHATMSG_USER, sizeof(ChatUserRecord),
         {FIELD(ChatUserRecord, channelTitle), FIELD(ChatUserRecord, channelInfo), FIELD(ChatUserRecord, id),
          FIELD(ChatUserRecord, nickname), FIELD(ChatUserRecord, info), FIELD(ChatUserRecord, extra)},
         true, {offsetof(ChatUserRecord, memberCount), offsetof(ChatUserRecord, members), true}},
        {CHATMSG_WHO, sizeof(ChatWhoRecord), {}, true,
         {offsetof(ChatWhoRecord, memberCount), offsetof(ChatWhoRecord, members), true}},
        {CHATMSG_GET, sizeof(ChatGetRecord),
         {FIELD(ChatGetRecord, key), FIELD(ChatGetRecord, value1), FIELD(ChatGetRecord, value2)}, false, {}},
        {CHATMSG_SET_REPLY, sizeof(ChatSetReplyRecord), {FIELD(ChatSetReplyRecord, key)}, false, {}},
    };
    return table;
}

#undef FIELD

const RecordLayout* layoutOf(uint32_t message)
{
    for (const RecordLayout& layout : layouts())
        if (layout.message == message)
            return &layout;
    return nullptr;
}

// Records are byte-packed: pointers may stand at odd offsets.
template <class T>
T readAt(const void* record, std::size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const char*>(record) + offset, sizeof value);
    return value;
}

constexpr std::size_t kMemberTexts[] = {offsetof(ChatMemberEntry, id), offsetof(ChatMemberEntry, nickname),
                                        offsetof(ChatMemberEntry, info), offsetof(ChatMemberEntry, extra)};

bool textsComplete(const void* block, const std::size_t* offsets, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (!readAt<char*>(block, offsets[i]))
            return false;
    return true;
}

void freeTexts(void* block, const std::size_t* offsets, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        recordFree(readAt<char*>(block, offsets[i]));
}

bool listComplete(const void* record, const ListLayout& list)
{
    const auto count = readAt<int32_t>(record, list.countOffset);
    void** items = readAt<void**>(record, list.itemsOffset);
    if (!items)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        if (!items[i])
            return false;
        if (list.members && !textsComplete(items[i], kMemberTexts, 4))
            return false;
    }
    return true;
}

void freeList(void* record, const ListLayout& list)
{
    const auto count = readAt<int32_t>(record, list.countOffset);
    void** items = readAt<void**>(record, list.itemsOffset);
    if (!items)
        return;
    for (int32_t i = 0; i < count; ++i) {
        if (list.members && items[i])
            freeTexts(items[i], kMemberTexts, 4);
        recordFree(items[i]);
    }
    recordFree(items);
}

}  // namespace

void* allocRecord(uint32_t message)
{
    const RecordLayout* layout = layoutOf(message);
    return layout ? recordAlloc(layout->size) : nullptr;
}

char* copyText(const std::string& text)
{
    const std::size_t length = std::strlen(text.c_str());
    auto* copy = static_cast<char*>(recordAlloc(length + 1));
    if (copy)
        std::memcpy(copy, text.c_str(), length);
    return copy;
}

char** copyTextList(const std::vector<std::string>& items)
{
    auto** list = static_cast<char**>(recordAlloc(items.size() * sizeof(char*)));
    if (list)
        for (std::size_t i = 0; i < items.size(); ++i)
            list[i] = copyText(items[i]);
    return list;
}

ChatMemberEntry** copyMemberList(const std::vector<MemberText>& members)
{
    auto** list = static_cast<ChatMemberEntry**>(recordAlloc(members.size() * sizeof(ChatMemberEntry*)));
    if (!list)
        return nullptr;
    for (std::size_t i = 0; i < members.size(); ++i) {
        auto* entry = static_cast<ChatMemberEntry*>(recordAlloc(sizeof(ChatMemberEntry)));
        if (!entry)
            continue;
        entry->id = copyText(members[i].id);
        entry->nickname = copyText(members[i].nickname);
        entry->info = copyText(members[i].info);
        entry->extra = copyText(members[i].extra);
        list[i] = entry;
    }
    return list;
}

bool isRecordComplete(uint32_t message, const void* record)
{
    const RecordLayout* layout = layoutOf(message);
    if (!layout || !record)
        return false;
    if (!textsComplete(record, layout->texts.data(), layout->texts.size()))
        return false;
    return !layout->hasList || listComplete(record, layout->list);
}

bool freeRecord(uint32_t message, void* record)
{
    const RecordLayout* layout = layoutOf(message);
    if (!layout)
        return false;
    if (!record)
        return true;
    freeTexts(record, layout->texts.data(), layout->texts.size());
    if (layout->hasList)
        freeList(record, layout->list);
    recordFree(record);
    return true;
}
