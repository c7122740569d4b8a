#include "captured_stderr.h"

#include <cstdio>

#include <sys/mman.h>
#include <unistd.h>

namespace quadrell {

CapturedStderr::CapturedStderr()
{
    std::fflush(stderr);
    buffer_ = memfd_create("quadrell-stderr", MFD_CLOEXEC);
    original_ = dup(STDERR_FILENO);
    if (buffer_ >= 0 && original_ >= 0)
        dup2(buffer_, STDERR_FILENO);
}

CapturedStderr::~CapturedStderr()
{
    std::fflush(stderr);
    if (original_ >= 0) {
        dup2(original_, STDERR_FILENO);
        close(original_);
    }
    if (buffer_ >= 0)
        close(buffer_);
}

QByteArray CapturedStderr::text() const
{
    QByteArray text;
    char chunk[4096];
    std::fflush(stderr);
    for (off_t at = 0;;) {
        const ssize_t got = buffer_ >= 0 ? pread(buffer_, chunk, sizeof chunk, at) : 0;
        if (got <= 0)
            return text;
        text.append(chunk, got);
        at += got;
    }
}

void CapturedStderr::writeToOriginal(const QByteArray& bytes) const
{
    const int target = original_ >= 0 ? original_ : STDERR_FILENO;
    for (qsizetype at = 0; at < bytes.size();) {
        const ssize_t written = write(target, bytes.constData() + at, static_cast<size_t>(bytes.size() - at));
        if (written <= 0)
            return;
        at += written;
    }
}

}  // namespace quadrell
