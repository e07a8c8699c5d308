#include "CommandFactory.h"

#include "Commands.h"
#include "Keywords.h"

#include <string_view>

namespace {

template <class Command>
std::unique_ptr<ICommand> make(IPipitClient& client, const std::vector<std::string>& args)
{
    return std::make_unique<Command>(client, args);
}

struct Entry {
    std::string_view keyword;
    std::unique_ptr<ICommand> (*make)(IPipitClient&, const std::vector<std::string>&);
};

// Looked up in this order.
constexpr Entry commands[] = {
    {Keyword::Set, make<SetCommand>},     {Keyword::Get, make<GetCommand>},
    {Keyword::Msg, make<MsgCommand>},     {Keyword::User, make<UserCommand>},
    {Keyword::Who, make<WhoCommand>},     {Keyword::Kick, make<KickCommand>},
    {Keyword::DelNMsg, make<DelNMsgCommand>}, {Keyword::Ping, make<PingCommand>},
    {Keyword::Perm, make<PermCommand>},   {Keyword::Report, make<ReportCommand>},
};

} // namespace

std::unique_ptr<ICommand> CommandFactory::create(const std::vector<std::string>& args) const noexcept
{
    if (args.empty())
        return nullptr;
    for (const Entry& entry : commands) {
        if (args[0] == entry.keyword) {
            try {
                return entry.make(client_, args);
            } catch (...) {
                // A wrong argument count (or no memory): the request is silently not sent.
                return nullptr;
            }
        }
    }
    return nullptr;
}
