#pragma once

#include <cstdint>
#include <string>

// Where an encoder's bytes go: a file, or in tests a file with a quota. Every call reports
// failure the POSIX way (-1) and keeps the errno of the first failure, so that a full disk
// can be told from other faults.
class ByteSink
{
public:
    virtual ~ByteSink() = default;
    virtual std::int64_t write(const void *data, std::int64_t size) = 0;
    virtual std::int64_t read(void *data, std::int64_t size) = 0;
    // whence: SEEK_SET, SEEK_CUR or SEEK_END. Returns the new position.
    virtual std::int64_t seek(std::int64_t offset, int whence) = 0;
    virtual std::int64_t tell() = 0;
    virtual std::int64_t length() = 0;
    // Closes the file; false when the system reports a failure.
    virtual bool close() = 0;
    // The errno of the first failure, 0 when none.
    virtual int failure() const = 0;
};

// The user's text for a write failure: a full disk is said plainly.
std::string describeWriteFailure(int error);

class FileSink final : public ByteSink
{
public:
    ~FileSink() override;
    // Creates or truncates the file; false with errno set when that fails.
    bool open(const std::string &path);

    std::int64_t write(const void *data, std::int64_t size) override;
    std::int64_t read(void *data, std::int64_t size) override;
    std::int64_t seek(std::int64_t offset, int whence) override;
    std::int64_t tell() override;
    std::int64_t length() override;
    bool close() override;
    int failure() const override { return m_failure; }

private:
    void fail(int error);

    int m_fd = -1;
    int m_failure = 0;
};
