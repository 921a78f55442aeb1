#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Opens a file for reading only when it is a regular file, without ever
// waiting: a FIFO would wait for a writer and a device for its line, on the
// user-interface thread. The descriptor reads as usual (blocking); -1 with
// the system's words in reason for anything else.
int OpenRegularForReading(const std::string& path, std::string& reason);

// Reads exactly length bytes from offset, through interrupted reads; false
// on an error or when the file ends first.
bool ReadFully(int fd, void* buffer, std::size_t length, std::uint64_t offset);

// The whole of a regular file, opened as OpenRegularForReading opens it;
// false with the system's words in reason when it cannot be read.
bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& reason);

// Owns a file descriptor (-1 for none) and closes it.
class FileHandle
{
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return m_fd; }
    // Closes now and reports what close said; a failed close can lose data.
    bool Close();

private:
    int m_fd;
};
