#pragma once

#include <string>

#include "crashreport/MailConfig.h"

// The boundary between the two parts of a report mail.
extern const char* const kReportMailBoundary;
// The name the report mail client gives in HELO.
extern const char* const kReportMailHeloName;

// The two-part MIME text of a report mail: the body as plain text, then the
// attachment (already base64-encoded, as Base64Encode writes it) under the
// given file name. Lines end in "\n"; the wire form is made when sending.
std::string BuildReportMessage(const std::string& recipient, const std::string& subject, const std::string& body,
                               const std::string& attachmentName, const std::string& encodedAttachment);

// Mails the report file (read whole and attached under its name without
// folder) with the body to the recipient; true when the server took the mail.
// False when the file cannot be read, an address or the subject holds a line
// break, or any step of the dialogue fails.
bool MailReport(const std::string& replyTo, const std::string& recipient, const std::string& subject,
                const std::string& body, const std::string& reportFile,
                const MailConfig& config = DefaultMailConfig());
