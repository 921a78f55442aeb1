#include "crashreport/MailReport.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "crashreport/Base64.h"
#include "crashreport/Smtp.h"

const char* const kReportMailBoundary = "Crash-Reporter-040006060503080100010509";
const char* const kReportMailHeloName = "CrashReporter";

namespace
{
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

std::string BuildReportMessage(const std::string& recipient, const std::string& subject, const std::string& body,
                               const std::string& attachmentName, const std::string& encodedAttachment)
{
    const std::string boundary = kReportMailBoundary;
    // The attachment's Content-Type continues its name parameter on the next
    // line without a ";": receivers have always read it that way.
    return "MIME-Version: 1.0\nTo: " + recipient + "\nSubject: " + subject
        + "\nContent-Type: multipart/mixed; boundary=" + boundary
        + "\nThis is a multi-part message in MIME format.\n--" + boundary
        + "\nContent-Type: text/plain; charset=ISO-8859-1; format=flowed\nContent-Transfer-Encoding: 7bit\n\n" + body
        + "\n\n--" + boundary + "\nContent-Type: application/octet-stream\n name=\"" + attachmentName
        + "\"\nContent-Transfer-Encoding: base64\nContent-Disposition: attachment;\n filename=\"" + attachmentName
        + "\"\n\n" + encodedAttachment + "\n\n--" + boundary + "--\n\n\n";
}

bool MailReport(const std::string& replyTo, const std::string& recipient, const std::string& subject,
                const std::string& body, const std::string& reportFile, const MailConfig& config)
{
    if (subject.find_first_of("\r\n") != std::string::npos)
        return false;
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(reportFile, bytes))
        return false;
    std::string encoded;
    encoded.reserve(bytes.size() + bytes.size() / 3 + bytes.size() / 54 + 4);
    Base64Encode(bytes.data(), bytes.size(), encoded);
    const std::string message = BuildReportMessage(recipient, subject, body, FileNameOf(reportFile), encoded);
    return SmtpSendMail(replyTo, recipient, message, kReportMailHeloName, config);
}
