/*
 * Yarnly64.dll: live chat for the player engine.
 *
 * The host joins a channel with Yarnly_Join and names a window; every event of the session then
 * arrives at that window as a posted message: lParam is the session handle, wParam a record built
 * on the library's heap (or a code for the three messages without record). The host reads a
 * record, then hands it back to Yarnly_FreeMsg with the message number, also for messages it
 * ignores and for messages still queued after Yarnly_Leave. Strings are NUL-terminated bytes,
 * passed through without code-page conversion. The host calls WSAStartup before the first join.
 */
#ifndef YARNLY_H
#define YARNLY_H

#include <stddef.h>
#include <stdint.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Message numbers. */
enum {
    CHATMSG_KICK = 10025,
    CHATMSG_PART = 10026,
    CHATMSG_JOIN = 10027,
    CHATMSG_MSG = 10028,
    CHATMSG_SET = 10029,
    CHATMSG_PERM = 10032,
    CHATMSG_SYSMSG = 10033,
    CHATMSG_REPORT = 10034,
    CHATMSG_KICK_EX = 10036,
    CHATMSG_PERM_EX = 10037,
    CHATMSG_REPORT_EX = 10038,
    CHATMSG_NICK_EX = 10039,
    CHATMSG_USER = 10124,
    CHATMSG_WHO = 10125,
    CHATMSG_GET = 10126,
    CHATMSG_SET_REPLY = 10127,
    CHATMSG_SERVER_ERROR = 10224, /* wParam 0 */
    CHATMSG_KICKED = 10225,       /* wParam 0 */
    CHATMSG_CONN_ERROR = 10324    /* wParam: transport error code */
};

/* Transport error codes carried by CHATMSG_CONN_ERROR. */
enum {
    YARNLY_CONN_SETUP_FAILED = 2,
    YARNLY_CONN_RECEIVE_FAILED = 3,
    YARNLY_CONN_SEND_FAILED = 4
};

/* Result codes of Yarnly_Open. */
#define YARNLY_OPEN_OK 0x00000000u
#define YARNLY_OPEN_INTERNET_OPEN_FAILED 0xE0001001u
#define YARNLY_OPEN_CONNECT_FAILED 0xE0001002u
#define YARNLY_OPEN_OPEN_REQUEST_FAILED 0xE0001003u
#define YARNLY_OPEN_ADD_HEADERS_FAILED 0xE0001004u
#define YARNLY_OPEN_SEND_REQUEST_FAILED 0xE0001005u
#define YARNLY_OPEN_BODY_FAILED 0xE0001006u
#define YARNLY_OPEN_HEADERS_FAILED 0xE0001007u
#define YARNLY_OPEN_NO_MEMORY 0xE0001008u
#define YARNLY_OPEN_MISSING_ARGUMENT 0xE0001009u

/* A token buffer of this size always suffices: longer tokens are refused with
 * YARNLY_OPEN_BODY_FAILED and an empty text. */
#define YARNLY_OPEN_TOKEN_BUFFER_SIZE 102401

typedef struct YarnlySessionTag* YarnlySession;

#pragma pack(push, 1)

typedef struct ChatMemberEntry {
    char* id;
    char* nickname;
    char* info;
    char* extra;
} ChatMemberEntry;

typedef struct ChatKickRecord { /* CHATMSG_KICK */
    char* source;
    char* member;
    char* reason;
} ChatKickRecord;

typedef struct ChatPartRecord { /* CHATMSG_PART */
    int32_t number;
    char* id;
} ChatPartRecord;

typedef struct ChatJoinRecord { /* CHATMSG_JOIN */
    int32_t number;
    char* id;
    char* nickname;
    char* info;
    char* extra;
    uint8_t flag;
} ChatJoinRecord;

typedef struct ChatMsgRecord { /* CHATMSG_MSG */
    char* source;
    char* kind;
    char* text;
} ChatMsgRecord;

typedef struct ChatSetRecord { /* CHATMSG_SET */
    char* source1;
    char* source2;
    char* key;
    char* value;
} ChatSetRecord;

typedef struct ChatPermRecord { /* CHATMSG_PERM */
    char* source1;
    char* source2;
    char* target;
    char* value;
    char* extra;
} ChatPermRecord;

typedef struct ChatSysmsgRecord { /* CHATMSG_SYSMSG */
    char* text;
} ChatSysmsgRecord;

typedef struct ChatReportRecord { /* CHATMSG_REPORT */
    char* source1;
    char* source2;
    char* target;
    char* reason;
    char* extra;
    int32_t itemCount;
    char** items;
} ChatReportRecord;

typedef struct ChatKickExRecord { /* CHATMSG_KICK_EX */
    char* source;
    char* member;
    char* reason;
    char* controlValue2;
} ChatKickExRecord;

typedef struct ChatPermExRecord { /* CHATMSG_PERM_EX */
    char* source1;
    char* source2;
    char* target;
    char* value;
    char* extra;
    char* controlValue2;
} ChatPermExRecord;

typedef struct ChatReportExRecord { /* CHATMSG_REPORT_EX: A found by source1, B by target */
    char* source1;
    char* source2;
    char* target;
    char* reporterValue1;
    char* reason;
    char* extra;
    char* reporterValue2;
    char* targetValue2;
    int32_t itemCount;
    char** items;
} ChatReportExRecord;

typedef struct ChatNickExRecord { /* CHATMSG_NICK_EX */
    char* source1;
    char* source2;
    char* key;
    char* value;
    char* controlValue1;
    char* controlValue2;
} ChatNickExRecord;

typedef struct ChatUserRecord { /* CHATMSG_USER: the join succeeded */
    int32_t channelValueA;
    int32_t channelValueB;
    char* channelTitle;
    char* channelInfo;
    char* id;
    char* nickname;
    char* info;
    char* extra;
    int32_t memberCount;
    ChatMemberEntry** members;
} ChatUserRecord;

typedef struct ChatWhoRecord { /* CHATMSG_WHO */
    int32_t memberCount;
    ChatMemberEntry** members;
} ChatWhoRecord;

typedef struct ChatGetRecord { /* CHATMSG_GET */
    char* key;
    char* value1;
    char* value2;
} ChatGetRecord;

typedef struct ChatSetReplyRecord { /* CHATMSG_SET_REPLY */
    char* key;
} ChatSetReplyRecord;

#pragma pack(pop)

#ifdef __cplusplus
#define YARNLY_STATIC_ASSERT static_assert
#else
#define YARNLY_STATIC_ASSERT _Static_assert
#endif

YARNLY_STATIC_ASSERT(sizeof(ChatMemberEntry) == 32, "ChatMemberEntry size");
YARNLY_STATIC_ASSERT(offsetof(ChatMemberEntry, nickname) == 8, "ChatMemberEntry.nickname");
YARNLY_STATIC_ASSERT(offsetof(ChatMemberEntry, info) == 16, "ChatMemberEntry.info");
YARNLY_STATIC_ASSERT(offsetof(ChatMemberEntry, extra) == 24, "ChatMemberEntry.extra");

YARNLY_STATIC_ASSERT(sizeof(ChatKickRecord) == 24, "ChatKickRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatKickRecord, member) == 8, "ChatKickRecord.member");
YARNLY_STATIC_ASSERT(offsetof(ChatKickRecord, reason) == 16, "ChatKickRecord.reason");

YARNLY_STATIC_ASSERT(sizeof(ChatPartRecord) == 12, "ChatPartRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatPartRecord, id) == 4, "ChatPartRecord.id");

YARNLY_STATIC_ASSERT(sizeof(ChatJoinRecord) == 37, "ChatJoinRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatJoinRecord, id) == 4, "ChatJoinRecord.id");
YARNLY_STATIC_ASSERT(offsetof(ChatJoinRecord, nickname) == 12, "ChatJoinRecord.nickname");
YARNLY_STATIC_ASSERT(offsetof(ChatJoinRecord, info) == 20, "ChatJoinRecord.info");
YARNLY_STATIC_ASSERT(offsetof(ChatJoinRecord, extra) == 28, "ChatJoinRecord.extra");
YARNLY_STATIC_ASSERT(offsetof(ChatJoinRecord, flag) == 36, "ChatJoinRecord.flag");

YARNLY_STATIC_ASSERT(sizeof(ChatMsgRecord) == 24, "ChatMsgRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatMsgRecord, kind) == 8, "ChatMsgRecord.kind");
YARNLY_STATIC_ASSERT(offsetof(ChatMsgRecord, text) == 16, "ChatMsgRecord.text");

YARNLY_STATIC_ASSERT(sizeof(ChatSetRecord) == 32, "ChatSetRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatSetRecord, source2) == 8, "ChatSetRecord.source2");
YARNLY_STATIC_ASSERT(offsetof(ChatSetRecord, key) == 16, "ChatSetRecord.key");
YARNLY_STATIC_ASSERT(offsetof(ChatSetRecord, value) == 24, "ChatSetRecord.value");

YARNLY_STATIC_ASSERT(sizeof(ChatPermRecord) == 40, "ChatPermRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatPermRecord, source2) == 8, "ChatPermRecord.source2");
YARNLY_STATIC_ASSERT(offsetof(ChatPermRecord, target) == 16, "ChatPermRecord.target");
YARNLY_STATIC_ASSERT(offsetof(ChatPermRecord, value) == 24, "ChatPermRecord.value");
YARNLY_STATIC_ASSERT(offsetof(ChatPermRecord, extra) == 32, "ChatPermRecord.extra");

YARNLY_STATIC_ASSERT(sizeof(ChatSysmsgRecord) == 8, "ChatSysmsgRecord size");

YARNLY_STATIC_ASSERT(sizeof(ChatReportRecord) == 52, "ChatReportRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatReportRecord, source2) == 8, "ChatReportRecord.source2");
YARNLY_STATIC_ASSERT(offsetof(ChatReportRecord, target) == 16, "ChatReportRecord.target");
YARNLY_STATIC_ASSERT(offsetof(ChatReportRecord, reason) == 24, "ChatReportRecord.reason");
YARNLY_STATIC_ASSERT(offsetof(ChatReportRecord, extra) == 32, "ChatReportRecord.extra");
YARNLY_STATIC_ASSERT(offsetof(ChatReportRecord, itemCount) == 40, "ChatReportRecord.itemCount");
YARNLY_STATIC_ASSERT(offsetof(ChatReportRecord, items) == 44, "ChatReportRecord.items");

YARNLY_STATIC_ASSERT(sizeof(ChatKickExRecord) == 32, "ChatKickExRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatKickExRecord, member) == 8, "ChatKickExRecord.member");
YARNLY_STATIC_ASSERT(offsetof(ChatKickExRecord, reason) == 16, "ChatKickExRecord.reason");
YARNLY_STATIC_ASSERT(offsetof(ChatKickExRecord, controlValue2) == 24, "ChatKickExRecord.controlValue2");

YARNLY_STATIC_ASSERT(sizeof(ChatPermExRecord) == 48, "ChatPermExRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatPermExRecord, source2) == 8, "ChatPermExRecord.source2");
YARNLY_STATIC_ASSERT(offsetof(ChatPermExRecord, target) == 16, "ChatPermExRecord.target");
YARNLY_STATIC_ASSERT(offsetof(ChatPermExRecord, value) == 24, "ChatPermExRecord.value");
YARNLY_STATIC_ASSERT(offsetof(ChatPermExRecord, extra) == 32, "ChatPermExRecord.extra");
YARNLY_STATIC_ASSERT(offsetof(ChatPermExRecord, controlValue2) == 40, "ChatPermExRecord.controlValue2");

YARNLY_STATIC_ASSERT(sizeof(ChatReportExRecord) == 76, "ChatReportExRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, source2) == 8, "ChatReportExRecord.source2");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, target) == 16, "ChatReportExRecord.target");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, reporterValue1) == 24, "ChatReportExRecord.reporterValue1");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, reason) == 32, "ChatReportExRecord.reason");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, extra) == 40, "ChatReportExRecord.extra");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, reporterValue2) == 48, "ChatReportExRecord.reporterValue2");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, targetValue2) == 56, "ChatReportExRecord.targetValue2");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, itemCount) == 64, "ChatReportExRecord.itemCount");
YARNLY_STATIC_ASSERT(offsetof(ChatReportExRecord, items) == 68, "ChatReportExRecord.items");

YARNLY_STATIC_ASSERT(sizeof(ChatNickExRecord) == 48, "ChatNickExRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatNickExRecord, source2) == 8, "ChatNickExRecord.source2");
YARNLY_STATIC_ASSERT(offsetof(ChatNickExRecord, key) == 16, "ChatNickExRecord.key");
YARNLY_STATIC_ASSERT(offsetof(ChatNickExRecord, value) == 24, "ChatNickExRecord.value");
YARNLY_STATIC_ASSERT(offsetof(ChatNickExRecord, controlValue1) == 32, "ChatNickExRecord.controlValue1");
YARNLY_STATIC_ASSERT(offsetof(ChatNickExRecord, controlValue2) == 40, "ChatNickExRecord.controlValue2");

YARNLY_STATIC_ASSERT(sizeof(ChatUserRecord) == 68, "ChatUserRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, channelValueB) == 4, "ChatUserRecord.channelValueB");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, channelTitle) == 8, "ChatUserRecord.channelTitle");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, channelInfo) == 16, "ChatUserRecord.channelInfo");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, id) == 24, "ChatUserRecord.id");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, nickname) == 32, "ChatUserRecord.nickname");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, info) == 40, "ChatUserRecord.info");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, extra) == 48, "ChatUserRecord.extra");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, memberCount) == 56, "ChatUserRecord.memberCount");
YARNLY_STATIC_ASSERT(offsetof(ChatUserRecord, members) == 60, "ChatUserRecord.members");

YARNLY_STATIC_ASSERT(sizeof(ChatWhoRecord) == 12, "ChatWhoRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatWhoRecord, members) == 4, "ChatWhoRecord.members");

YARNLY_STATIC_ASSERT(sizeof(ChatGetRecord) == 24, "ChatGetRecord size");
YARNLY_STATIC_ASSERT(offsetof(ChatGetRecord, value1) == 8, "ChatGetRecord.value1");
YARNLY_STATIC_ASSERT(offsetof(ChatGetRecord, value2) == 16, "ChatGetRecord.value2");

YARNLY_STATIC_ASSERT(sizeof(ChatSetReplyRecord) == 8, "ChatSetReplyRecord size");

#undef YARNLY_STATIC_ASSERT

/* Null host, port outside 1..65535 or null window: null, nothing started. owner and the six
 * strings after it may be null (counted as empty). */
YarnlySession WINAPI Yarnly_Join(const char* serverHost, int32_t serverPort, HWND hostWindow,
                                 const char* owner, const char* userId, const char* userKey,
                                 const char* channel, const char* channelKey, const char* nickname,
                                 const char* lastField);
/* Returns once both session threads have ended; posts nothing from the moment it starts. */
void WINAPI Yarnly_Leave(YarnlySession session);
void WINAPI Yarnly_Msg(YarnlySession session, const char* a, const char* b, const char* c);
/* keyword: "VEX_KICK", "VEX_REPORT", "VEX_PERM" or "VEX_SET_NICK"; anything else sends nothing. */
void WINAPI Yarnly_Msg_Ex(YarnlySession session, const char* keyword, const char* target,
                          const char* value1, const char* value2);
void WINAPI Yarnly_Kick(YarnlySession session, const char* member);
void WINAPI Yarnly_Report(YarnlySession session, const char* a, const char* b);
void WINAPI Yarnly_Perm(YarnlySession session, const char* a, const char* b);
void WINAPI Yarnly_Who(YarnlySession session, const char* a);
void WINAPI Yarnly_Get(YarnlySession session, const char* key);
/* Waits for the end of the connection attempt first. */
void WINAPI Yarnly_Set(YarnlySession session, const char* key, const char* value);
/* One HTTP request to the chat web service; the token goes to tokenOut (at least
 * YARNLY_OPEN_TOKEN_BUFFER_SIZE bytes), an empty text on failure. */
uint32_t WINAPI Yarnly_Open(void* reserved1, void* reserved2, const char* ownerKey,
                            const char* channelKey, const char* title, const char* channelExt,
                            char* tokenOut);
/* Releases a record; numbers without a record are refused with a debugger line. */
void WINAPI Yarnly_FreeMsg(uint32_t message, void* record);

#ifdef __cplusplus
}
#endif

#endif
