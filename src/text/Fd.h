#pragma once
// A file descriptor that is closed once, at the latest when it goes out of
// scope. For the file readers and writers of src/text.
#include <cerrno>
#include <unistd.h>

namespace fileio
{

class Fd
{
  public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { close(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd)
    {
        close();
        m_fd = fd;
    }
    // The error of the close, 0 when it succeeded.
    int close()
    {
        if (m_fd < 0)
            return 0;
        const int r = ::close(m_fd);
        m_fd = -1;
        return r == 0 ? 0 : errno;
    }

  private:
    int m_fd;
};

} // namespace fileio
