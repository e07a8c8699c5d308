#pragma once
// The four lists of pending controls of a session: kick, report, permission and nickname
// controls, each with its own lock. A control waits in its list until the notification it
// belongs to arrives or the session ends.
#include <array>
#include <list>
#include <optional>
#include <string>

#include "CriticalSection.h"

enum class ControlKind { Kick, Report, Perm, Nick };

// Exact, case-sensitive: "VEX_KICK", "VEX_REPORT", "VEX_PERM", "VEX_SET_NICK".
std::optional<ControlKind> controlKindOf(const std::string& keyword);

struct PendingControl {
    std::string target;
    std::string value1;
    std::string value2;
};

class PendingControlList {
public:
    // A second store for the same target replaces its values and keeps its place.
    void store(const std::string& target, const std::string& value1, const std::string& value2);
    // A copy taken under the lock, so an update from the host's thread cannot tear it.
    std::optional<PendingControl> find(const std::string& target);
    void remove(const std::string& target);
    void clear();

private:
    CriticalSection lock_;
    std::list<PendingControl> entries_;
};

class PendingControls {
public:
    // False for a keyword that is not a control keyword: nothing stored.
    bool store(const std::string& keyword, const std::string& target, const std::string& value1,
               const std::string& value2);
    std::optional<PendingControl> find(const std::string& keyword, const std::string& target);
    void remove(const std::string& keyword, const std::string& target);
    void clearAll();

private:
    PendingControlList* listOf(const std::string& keyword);

    // Kick, report, permission, nickname: the order of ControlKind.
    std::array<PendingControlList, 4> lists_;
};
