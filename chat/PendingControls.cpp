#include "PendingControls.h"

#include <algorithm>

std::optional<ControlKind> controlKindOf(const std::string& keyword)
{
    if (keyword == "VEX_KICK")
        return ControlKind::Kick;
    if (keyword == "VEX_REPORT")
        return ControlKind::Report;
    if (keyword == "VEX_PERM")
        return ControlKind::Perm;
    if (keyword == "VEX_SET_NICK")
        return ControlKind::Nick;
    return std::nullopt;
}

void PendingControlList::store(const std::string& target, const std::string& value1, const std::string& value2)
{
    CriticalSectionScope scope(lock_);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const PendingControl& c) { return c.target == target; });
    if (found != entries_.end()) {
        found->value1 = value1;
        found->value2 = value2;
        return;
    }
    entries_.push_back({target, value1, value2});
}

std::optional<PendingControl> PendingControlList::find(const std::string& target)
{
    CriticalSectionScope scope(lock_);
    for (const PendingControl& c : entries_)
        if (c.target == target)
            return c;
    return std::nullopt;
}

void PendingControlList::remove(const std::string& target)
{
    CriticalSectionScope scope(lock_);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const PendingControl& c) { return c.target == target; });
    if (found != entries_.end())
        entries_.erase(found);
}

void PendingControlList::clear()
{
    CriticalSectionScope scope(lock_);
    entries_.clear();
}

PendingControlList* PendingControls::listOf(const std::string& keyword)
{
    const auto kind = controlKindOf(keyword);
    return kind ? &lists_[static_cast<std::size_t>(*kind)] : nullptr;
}

bool PendingControls::store(const std::string& keyword, const std::string& target, const std::string& value1,
                            const std::string& value2)
{
    PendingControlList* list = listOf(keyword);
    if (!list)
        return false;
    list->store(target, value1, value2);
    return true;
}

std::optional<PendingControl> PendingControls::find(const std::string& keyword, const std::string& target)
{
    PendingControlList* list = listOf(keyword);
    return list ? list->find(target) : std::nullopt;
}

void PendingControls::remove(const std::string& keyword, const std::string& target)
{
    if (PendingControlList* list = listOf(keyword))
        list->remove(target);
}

void PendingControls::clearAll()
{
    for (PendingControlList& list : lists_)
        list.clear();
}
