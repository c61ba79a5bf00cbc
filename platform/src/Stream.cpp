// Byte streams over POSIX files and memory.
#include "platform/Stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::int64_t TStream::Size() {
    const std::int64_t here = Position();
    const std::int64_t end = Seek(0, TSeekOrigin::soEnd);
    Seek(here, TSeekOrigin::soBeginning);
    return end;
}

std::int64_t TStream::Remaining() {
    return std::max<std::int64_t>(0, Size() - Position());
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError();
}

// --- TFileStream -----------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, TMode mode) : FFileName(fileName) {
    if (mode == TMode::OpenRead) {
        FHandle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
        if (FHandle < 0) throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    } else {
        FHandle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
    }
}

TFileStream::TFileStream(std::string fileName, int fd) : FFileName(std::move(fileName)), FHandle(fd) {}

TFileStream::~TFileStream() {
    Close();
}

void TFileStream::Close() {
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(FHandle, static_cast<char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += std::size_t(n);
    }
    return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(FHandle, static_cast<const char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += std::size_t(n);
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    const off_t result = ::lseek(FHandle, off_t(offset), whence);
    if (result < 0) throw EStreamError("Seek failed in \"" + FFileName + "\". " + std::strerror(errno));
    return result;
}

// --- TReplacingFileStream --------------------------------------------------------------------

TReplacingFileStream::TTemporary TReplacingFileStream::CreateTemporaryBeside(const std::string& target) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target + ".tmp" + std::to_string(entropy() % 1000000);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return {std::move(name), fd};
        if (errno != EEXIST) break;
    }
    throw EFCreateError("Cannot create file \"" + target + "\". " + std::strerror(errno));
}

TReplacingFileStream::TReplacingFileStream(const std::string& targetName)
    : TReplacingFileStream(targetName, CreateTemporaryBeside(targetName)) {}

TReplacingFileStream::TReplacingFileStream(std::string targetName, TTemporary temporary)
    : TFileStream(std::move(temporary.Name), temporary.Handle), FTarget(std::move(targetName)) {
    // A replaced file keeps its permissions.
    struct stat existing {};
    if (::stat(FTarget.c_str(), &existing) == 0) ::fchmod(Handle(), existing.st_mode & 07777);
}

TReplacingFileStream::~TReplacingFileStream() {
    if (FCommitted) return;
    Close();
    ::unlink(FileName().c_str());
}

void TReplacingFileStream::Commit() {
    if (::fsync(Handle()) != 0) throw EWriteError();
    Close();
    if (::rename(FileName().c_str(), FTarget.c_str()) != 0) {
        const int error = errno;
        ::unlink(FileName().c_str());
        FCommitted = true; // nothing left to clean up
        throw EFCreateError("Cannot create file \"" + FTarget + "\". " + std::strerror(error));
    }
    FCommitted = true;
}

// --- TMemoryStream ---------------------------------------------------------------------------

TMemoryStream::TMemoryStream(const void* data, std::size_t size)
    : FBytes(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size) {}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    const std::size_t n = FPosition >= FBytes.size() ? 0 : std::min(count, FBytes.size() - FPosition);
    if (n) std::memcpy(buffer, FBytes.data() + FPosition, n);
    FPosition += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (FPosition + count > FBytes.size()) FBytes.resize(FPosition + count);
    std::memcpy(FBytes.data() + FPosition, buffer, count);
    FPosition += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                              : origin == TSeekOrigin::soCurrent ? std::int64_t(FPosition)
                                                                 : std::int64_t(FBytes.size());
    const std::int64_t target = base + offset;
    if (target < 0) throw EStreamError("Seek before the start of a memory stream");
    FPosition = std::size_t(target);
    return target;
}

} // namespace platform
