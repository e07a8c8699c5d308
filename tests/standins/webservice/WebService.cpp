#include "WebService.h"

WebService::WebService(WebResponse response) : response_(std::move(response))
{
    thread_ = std::thread([this] { serve(); });
}

WebService::~WebService()
{
    stopping_ = true;
    thread_.join();
}

std::vector<std::string> WebService::requestLines() const
{
    std::lock_guard lock(mutex_);
    return requestLines_;
}

void WebService::serve()
{
    while (!stopping_) {
        auto connection = listener_.accept(50);
        if (!connection)
            continue;
        const auto head = connection->readUntil("\r\n\r\n", 5000);
        if (!head)
            continue;
        {
            std::lock_guard lock(mutex_);
            requestLines_.push_back(head->substr(0, head->find("\r\n")));
        }
        std::string reply = "HTTP/1.1 " + std::to_string(response_.status) + " Status\r\nConnection: close\r\n";
        if (!response_.omitLength)
            reply += "Content-Length: " + std::to_string(response_.statedLength.value_or(response_.body.size())) + "\r\n";
        reply += "\r\n" + response_.body;
        connection->send(reply);
        connection->close();
    }
}
