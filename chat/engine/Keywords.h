#pragma once
// The protocol's keywords, shared by the commands, the notifications and the service. Matching is
// exact: same bytes, same length.
#include <string_view>

namespace Keyword {
inline constexpr std::string_view User = "USER";
inline constexpr std::string_view Msg = "MSG";
inline constexpr std::string_view Ping = "PING";
inline constexpr std::string_view Set = "SET";
inline constexpr std::string_view Get = "GET";
inline constexpr std::string_view Who = "WHO";
inline constexpr std::string_view Kick = "KICK";
inline constexpr std::string_view DelNMsg = "DELNMSG";
inline constexpr std::string_view Perm = "PERM";
inline constexpr std::string_view Report = "REPORT";
// Notification-only keywords.
inline constexpr std::string_view Join = "JOIN";
inline constexpr std::string_view Part = "PART";
inline constexpr std::string_view SysMsg = "SYSMSG";
inline constexpr std::string_view NMsg = "NMSG";
inline constexpr std::string_view EOEH = "EOEH";
} // namespace Keyword

// The SET keys whose value travels escaped, in requests and notifications alike.
inline bool isEscapedSetKey(std::string_view key) { return key == "NICKNAME" || key == "TITLE"; }
