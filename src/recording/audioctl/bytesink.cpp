#include "bytesink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string describeWriteFailure(int error)
{
    if (error == ENOSPC || error == EDQUOT)
        return "Spazio su disco esaurito: registrazione interrotta. Il file registrato fin qui è stato chiuso.";
    if (error == EFBIG)
        return "Il file ha raggiunto la dimensione massima ammessa: registrazione interrotta. "
               "Il file registrato fin qui è stato chiuso.";
    return std::string("Errore di scrittura del file (") + std::strerror(error) + "): registrazione interrotta.";
}

FileSink::~FileSink()
{
    close();
}

bool FileSink::open(const std::string &path)
{
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        fail(errno);
        return false;
    }
    return true;
}

void FileSink::fail(int error)
{
    if (m_failure == 0)
        m_failure = error;
}

std::int64_t FileSink::write(const void *data, std::int64_t size)
{
    const auto *bytes = static_cast<const char *>(data);
    std::int64_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, bytes + done, static_cast<size_t>(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(n < 0 ? errno : ENOSPC);
            return done > 0 ? done : -1;
        }
        done += n;
    }
    return done;
}

std::int64_t FileSink::read(void *data, std::int64_t size)
{
    ssize_t n;
    do {
        n = ::read(m_fd, data, static_cast<size_t>(size));
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        fail(errno);
    return n;
}

std::int64_t FileSink::seek(std::int64_t offset, int whence)
{
    const off_t position = ::lseek(m_fd, offset, whence);
    if (position < 0)
        fail(errno);
    return position;
}

std::int64_t FileSink::tell()
{
    return seek(0, SEEK_CUR);
}

std::int64_t FileSink::length()
{
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        fail(errno);
        return -1;
    }
    return info.st_size;
}

bool FileSink::close()
{
    if (m_fd < 0)
        return true;
    const int result = ::close(m_fd);
    m_fd = -1;
    if (result != 0) {
        fail(errno);
        return false;
    }
    return true;
}
