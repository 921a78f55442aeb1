#pragma once

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO that no one writes, watched for the length of a test step: a reader
// still stuck on it after the deadline is set free by opening the other end
// (again and again, for a reader that comes back), so a test of a reader that
// blocks fails instead of hanging. Any thread may be the reader.
class FifoWatch
{
public:
    explicit FifoWatch(std::string path, std::chrono::milliseconds deadline = std::chrono::seconds(3))
        : m_path(std::move(path)), m_made(::mkfifo(m_path.c_str(), 0600) == 0),
          m_thread([this, deadline] { Watch(deadline); })
    {
    }
    ~FifoWatch()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
        ::unlink(m_path.c_str());
    }
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    bool Made() const { return m_made; }
    // A reader was still blocked at the deadline.
    bool Fired() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_fired;
    }

private:
    void Watch(std::chrono::milliseconds deadline)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_for(lock, deadline, [this] { return m_done; }))
            return;
        while (!m_done)
        {
            // Succeeds only while a reader has the FIFO open or waits to.
            const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                m_fired = true, ::close(fd);
            m_wake.wait_for(lock, std::chrono::milliseconds(10), [this] { return m_done; });
        }
    }

    std::string m_path;
    bool m_made;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false, m_fired = false;
    std::thread m_thread;
};
