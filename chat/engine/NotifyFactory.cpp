#include "NotifyFactory.h"

#include "Decimal.h"
#include "Keywords.h"
#include "Notifications.h"
#include "StringUtil.h"

#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

// fields[0] the source, fields[1] the keyword, the arguments a0, a1, ... from fields[2] on.
class Line {
public:
    explicit Line(Fields fields) : fields_(std::move(fields)) {}

    const std::string& source() const { return fields_[0]; }
    const std::string& keyword() const { return fields_[1]; }
    std::size_t argCount() const { return fields_.size() - 2; }
    const std::string& arg(std::size_t i) const { return fields_[2 + i]; }
    // The arguments from index i on, with the spaces the split removed put back.
    std::string text(std::size_t i) const { return StringUtil::join(fields_, " ", 2 + i); }
    Fields list(std::size_t i) const { return Fields(fields_.begin() + 2 + i, fields_.end()); }

    // The source split at "@": the part before the first, and the part up to the second.
    std::string source1() const { return sourcePart(0); }
    std::string source2() const { return sourcePart(1); }

private:
    std::string sourcePart(std::size_t index) const
    {
        Fields parts;
        StringUtil::split(source(), '@', parts);
        return index < parts.size() ? parts[index] : std::string();
    }

    Fields fields_;
};

using Parser = std::unique_ptr<INotify> (*)(IPipitClient&, const Line&);

std::unique_ptr<INotify> parseSet(IPipitClient& c, const Line& l)
{
    if (l.argCount() < 2)
        return nullptr;
    std::string value = isEscapedSetKey(l.arg(0)) ? StringUtil::unescape(l.arg(1)) : l.arg(1);
    return std::make_unique<SetNotify>(c, l.source1(), l.source2(), l.arg(0), std::move(value));
}

std::unique_ptr<INotify> parseMsg(IPipitClient& c, const Line& l)
{
    if (l.argCount() < 1)
        return nullptr;
    return std::make_unique<MsgNotify>(c, l.source(), l.arg(0), l.text(1));
}

std::unique_ptr<INotify> parseNMsg(IPipitClient& c, const Line& l)
{
    if (l.argCount() < 2)
        return nullptr;
    return std::make_unique<NMsgNotify>(c, l.source(), decimalField(l.arg(0)), l.arg(1), l.text(2));
}

std::unique_ptr<INotify> parseDelNMsg(IPipitClient& c, const Line& l)
{
    if (l.argCount() < 1)
        return nullptr;
    return std::make_unique<DelNMsgNotify>(c, l.source(), l.list(0));
}

std::unique_ptr<INotify> parseJoin(IPipitClient& c, const Line& l)
{
    if (l.argCount() != 5)
        return nullptr;
    return std::make_unique<JoinNotify>(c, decimalField(l.arg(0)), l.source(), StringUtil::unescape(l.arg(1)),
                                        l.arg(2), l.arg(3), l.arg(4) == "true");
}

std::unique_ptr<INotify> parsePerm(IPipitClient& c, const Line& l)
{
    if (l.argCount() != 3)
        return nullptr;
    return std::make_unique<PermNotify>(c, l.source1(), l.source2(), l.arg(0), StringUtil::unescape(l.arg(1)),
                                        l.arg(2));
}

std::unique_ptr<INotify> parseReport(IPipitClient& c, const Line& l)
{
    if (l.argCount() < 4)
        return nullptr;
    return std::make_unique<ReportNotify>(c, l.source1(), l.source2(), l.arg(0), StringUtil::unescape(l.arg(1)),
                                          l.arg(2), l.list(3));
}

std::unique_ptr<INotify> parsePart(IPipitClient& c, const Line& l)
{
    if (l.argCount() != 1)
        return nullptr;
    return std::make_unique<PartNotify>(c, decimalField(l.arg(0)), l.source());
}

std::unique_ptr<INotify> parseKick(IPipitClient& c, const Line& l)
{
    if (l.argCount() != 2)
        return nullptr;
    return std::make_unique<KickNotify>(c, l.source(), l.arg(0), StringUtil::unescape(l.arg(1)));
}

std::unique_ptr<INotify> parseSysMsg(IPipitClient& c, const Line& l)
{
    return std::make_unique<SysMsgNotify>(c, l.text(0));
}

std::unique_ptr<INotify> parseEOEH(IPipitClient& c, const Line&) { return std::make_unique<EOEHNotify>(c); }

struct Entry {
    std::string_view keyword;
    Parser parse;
};

// Looked up in this order.
constexpr Entry notifications[] = {
    {Keyword::Set, parseSet},       {Keyword::Msg, parseMsg},       {Keyword::NMsg, parseNMsg},
    {Keyword::DelNMsg, parseDelNMsg}, {Keyword::Join, parseJoin},   {Keyword::Perm, parsePerm},
    {Keyword::Report, parseReport}, {Keyword::Part, parsePart},     {Keyword::Kick, parseKick},
    {Keyword::SysMsg, parseSysMsg}, {Keyword::EOEH, parseEOEH},
};

} // namespace

std::unique_ptr<INotify> NotifyFactory::create(std::string_view text) const
{
    Fields fields;
    StringUtil::split(text, ' ', fields);
    if (fields.size() < 2)
        return nullptr;
    const Line line(std::move(fields));
    for (const Entry& entry : notifications) {
        if (line.keyword() == entry.keyword)
            return entry.parse(client_, line);
    }
    return nullptr;
}
