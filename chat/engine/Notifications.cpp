#include "Notifications.h"

#include "IPipitClient.h"

JoinNotify::JoinNotify(IPipitClient& client, std::int32_t number, std::string id, std::string nickname,
                       std::string info, std::string extra, bool flag)
    : INotify(client), number_(number), id_(std::move(id)), nickname_(std::move(nickname)), info_(std::move(info)),
      extra_(std::move(extra)), flag_(flag)
{
}
void JoinNotify::notify() { client_.onJoin(number_, id_, nickname_, info_, extra_, flag_); }

PartNotify::PartNotify(IPipitClient& client, std::int32_t number, std::string id)
    : INotify(client), number_(number), id_(std::move(id))
{
}
void PartNotify::notify() { client_.onPart(number_, id_); }

KickNotify::KickNotify(IPipitClient& client, std::string source, std::string a0, std::string a1)
    : INotify(client), source_(std::move(source)), a0_(std::move(a0)), a1_(std::move(a1))
{
}
void KickNotify::notify() { client_.onKick(source_, a0_, a1_); }

MsgNotify::MsgNotify(IPipitClient& client, std::string source, std::string a0, std::string text)
    : INotify(client), source_(std::move(source)), a0_(std::move(a0)), text_(std::move(text))
{
}
void MsgNotify::notify() { client_.onMsg(source_, a0_, text_); }

SysMsgNotify::SysMsgNotify(IPipitClient& client, std::string text) : INotify(client), text_(std::move(text)) {}
void SysMsgNotify::notify() { client_.onSysmsg(text_); }

SetNotify::SetNotify(IPipitClient& client, std::string source1, std::string source2, std::string key,
                     std::string value)
    : INotify(client), source1_(std::move(source1)), source2_(std::move(source2)), key_(std::move(key)),
      value_(std::move(value))
{
}
void SetNotify::notify() { client_.onSet(source1_, source2_, key_, value_); }

NMsgNotify::NMsgNotify(IPipitClient& client, std::string source, std::int32_t number, std::string a1,
                       std::string text)
    : INotify(client), source_(std::move(source)), number_(number), a1_(std::move(a1)), text_(std::move(text))
{
}
void NMsgNotify::notify() { client_.onNMsg(source_, number_, a1_, text_); }

DelNMsgNotify::DelNMsgNotify(IPipitClient& client, std::string source, std::vector<std::string> items)
    : INotify(client), source_(std::move(source)), items_(std::move(items))
{
}
void DelNMsgNotify::notify() { client_.onDelNMsg(source_, items_); }

EOEHNotify::EOEHNotify(IPipitClient& client) : INotify(client) {}
void EOEHNotify::notify() { client_.onEOEH(); }

PermNotify::PermNotify(IPipitClient& client, std::string source1, std::string source2, std::string a0,
                       std::string a1, std::string a2)
    : INotify(client), source1_(std::move(source1)), source2_(std::move(source2)), a0_(std::move(a0)),
      a1_(std::move(a1)), a2_(std::move(a2))
{
}
void PermNotify::notify() { client_.onPerm(source1_, source2_, a0_, a1_, a2_); }

ReportNotify::ReportNotify(IPipitClient& client, std::string source1, std::string source2, std::string a0,
                           std::string a1, std::string a2, std::vector<std::string> items)
    : INotify(client), source1_(std::move(source1)), source2_(std::move(source2)), a0_(std::move(a0)),
      a1_(std::move(a1)), a2_(std::move(a2)), items_(std::move(items))
{
}
void ReportNotify::notify() { client_.onReport(source1_, source2_, a0_, a1_, a2_, items_); }
