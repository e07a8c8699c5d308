#pragma once
#include <cstdint>
#include <string>

// The channel as the USER answer describes it. The title is held unescaped.
class Channel {
public:
    Channel() = default;
    Channel(std::int32_t valueA, std::int32_t valueB, std::string title, std::string info)
        : valueA(valueA), valueB(valueB), title(std::move(title)), info(std::move(info))
    {
    }
    Channel(const Channel&) = default;
    Channel(Channel&&) = default;
    Channel& operator=(const Channel&) = default;
    Channel& operator=(Channel&&) = default;
    virtual ~Channel() = default;

    bool operator==(const Channel&) const = default;

    std::int32_t valueA = 0;
    std::int32_t valueB = 0;
    std::string title;
    std::string info;
};
