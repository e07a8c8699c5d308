#pragma once
// The eleven server notifications, built by NotifyFactory from parsed fields.
#include "INotify.h"

#include <cstdint>
#include <string>
#include <vector>

class JoinNotify : public INotify {
public:
    JoinNotify(IPipitClient& client, std::int32_t number, std::string id, std::string nickname,
               std::string info, std::string extra, bool flag);
    void notify() override;

private:
    std::int32_t number_;
    std::string id_, nickname_, info_, extra_;
    bool flag_;
};

class PartNotify : public INotify {
public:
    PartNotify(IPipitClient& client, std::int32_t number, std::string id);
    void notify() override;

private:
    std::int32_t number_;
    std::string id_;
};

class KickNotify : public INotify {
public:
    KickNotify(IPipitClient& client, std::string source, std::string a0, std::string a1);
    void notify() override;

private:
    std::string source_, a0_, a1_;
};

class MsgNotify : public INotify {
public:
    MsgNotify(IPipitClient& client, std::string source, std::string a0, std::string text);
    void notify() override;

private:
    std::string source_, a0_, text_;
};

class SysMsgNotify : public INotify {
public:
    SysMsgNotify(IPipitClient& client, std::string text);
    void notify() override;

private:
    std::string text_;
};

class SetNotify : public INotify {
public:
    SetNotify(IPipitClient& client, std::string source1, std::string source2, std::string key,
              std::string value);
    void notify() override;

private:
    std::string source1_, source2_, key_, value_;
};

class NMsgNotify : public INotify {
public:
    NMsgNotify(IPipitClient& client, std::string source, std::int32_t number, std::string a1,
               std::string text);
    void notify() override;

private:
    std::string source_;
    std::int32_t number_;
    std::string a1_, text_;
};

class DelNMsgNotify : public INotify {
public:
    DelNMsgNotify(IPipitClient& client, std::string source, std::vector<std::string> items);
    void notify() override;

private:
    std::string source_;
    std::vector<std::string> items_;
};

class EOEHNotify : public INotify {
public:
    explicit EOEHNotify(IPipitClient& client);
    void notify() override;
};

class PermNotify : public INotify {
public:
    PermNotify(IPipitClient& client, std::string source1, std::string source2, std::string a0,
               std::string a1, std::string a2);
    void notify() override;

private:
    std::string source1_, source2_, a0_, a1_, a2_;
};

class ReportNotify : public INotify {
public:
    ReportNotify(IPipitClient& client, std::string source1, std::string source2, std::string a0,
                 std::string a1, std::string a2, std::vector<std::string> items);
    void notify() override;

private:
    std::string source1_, source2_, a0_, a1_, a2_;
    std::vector<std::string> items_;
};
