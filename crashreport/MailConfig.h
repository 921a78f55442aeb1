#pragma once

#include <string>

// Where and how report mails go. The product uses DefaultMailConfig(); tests
// point a copy at a server on a loopback port.
struct MailConfig
{
    std::string host;          // mail host: the connection and the report dialog's reachability probe
    unsigned short port = 25;
    std::string sender;        // MAIL FROM
    std::string reportAddress; // the recipient the report dialog chooses
    int timeoutMs = 20000;     // limit (> 0) for the connection and for each command's reply or write
};

const MailConfig& DefaultMailConfig();
