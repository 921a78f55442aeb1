// The mail client's reply reader: a reply in pieces (one read each) is accepted
// exactly when its final line, the first not a "ddd-" continuation, carries the
// code asked for; a connection closed before it is a refusal, never a hang.
#include <algorithm>
#include <thread>
#include <sys/socket.h>
#include <unistd.h>

#include "crashreport/Smtp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t length = 1 + data[0] % 64;
    const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET, 0, ends) != 0)
        __builtin_trap();
    // The server side writes on a thread of its own: the pieces may be more
    // than the socket holds.
    std::thread server([&] {
        for (size_t at = 0; at < reply.size(); at += length)
            if (send(ends[0], reply.data() + at, std::min(length, reply.size() - at), MSG_NOSIGNAL) < 0)
                break; // the reader has gone
        shutdown(ends[0], SHUT_WR);
    });
    const bool accepted = SmtpExpectReply(ends[1], "250", 5000);
    close(ends[1]);
    server.join();
    close(ends[0]);
    bool expected = false;
    for (size_t start = 0, end; (end = reply.find('\n', start)) != std::string::npos; start = end + 1)
    {
        std::string line = reply.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 4 && line[3] == '-')
            continue;
        expected = line.compare(0, 3, "250") == 0;
        break;
    }
    if (accepted != expected)
        __builtin_trap();
    return 0;
}
