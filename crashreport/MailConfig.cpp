#include "crashreport/MailConfig.h"

const MailConfig& DefaultMailConfig()
{
    static const MailConfig config = [] {
        MailConfig c;
        c.host = "mail.brennix.com";
        c.sender = "crashreporter@brennix.com";
        c.reportAddress = "editor-reports@brennix.com";
        return c;
    }();
    return config;
}
