#pragma once

#include <cstddef>
#include <string>

#include "crashreport/MailConfig.h"

// A minimal SMTP client over POSIX sockets: no authentication, no encryption.
// Every call blocks the calling thread, but never longer than the configured
// time-out per step (the host name look-up excepted: the resolver keeps its
// own limits): a silent or vanished server is a failure, not a hang.

// Connects to config.host:config.port; the socket (non-blocking, close-on-exec)
// or -1 when the host is unknown, refuses or does not answer in time.
int SmtpConnect(const MailConfig& config);
void SmtpDisconnect(int socket);

// Reads one reply, however it is split across reads, up to its final "ddd "
// line (continuation lines "ddd-" are read past); true when the final line
// carries the three-character code. False on a closed connection, a time-out
// or a reply too long to be a sane one.
bool SmtpExpectReply(int socket, const char* code, int timeoutMs);

// Writes all the bytes (as many sends as it takes); false on an error, a
// dropped peer (never SIGPIPE) or a time-out.
bool SmtpSendRaw(int socket, const char* bytes, std::size_t length, int timeoutMs);

// The message text as it goes between DATA and the final ".": every line end
// (\n, \r\n or a lone \r) becomes CRLF and a line that begins with "." gets
// a second one, so no line of the text can end the message early.
std::string SmtpWireText(const std::string& message);

// An address fit for an SMTP command line: no CR or LF (which would let it
// inject commands) and at most 254 characters (the longest path SMTP allows).
bool IsSafeMailAddress(const std::string& address);

// The whole dialogue: greeting, HELO, MAIL FROM, RCPT TO, DATA, then after the
// server's 354 the Reply-To header and the message, then QUIT. True only when
// every step got the reply it needs; the connection is closed on every path.
bool SmtpSendMail(const std::string& replyTo, const std::string& recipient, const std::string& message,
                  const std::string& heloName, const MailConfig& config);
