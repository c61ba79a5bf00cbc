// Byte streams: the abstract stream with complete reads and writes, files and memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
};
class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Transfers up to `count` bytes and returns how many were transferred (0 at the end).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Moves the position and returns the new one.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    std::int64_t Size();
    // Bytes between the position and the end; never negative.
    std::int64_t Remaining();

    // Reads or writes exactly `count` bytes, or raises EReadError / EWriteError.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
    void WriteBuffer(std::span<const std::uint8_t> bytes) { WriteBuffer(bytes.data(), bytes.size()); }
};

// A file opened read-only, or created (replacing any file of that name) for writing.
class TFileStream : public TStream {
public:
    enum class TMode { OpenRead, Create };
    TFileStream(const std::string& fileName, TMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    const std::string& FileName() const { return FFileName; }

protected:
    TFileStream(std::string fileName, int fd);
    int Handle() const { return FHandle; }
    void Close();

private:
    std::string FFileName;
    int FHandle = -1;
};

// Writes a new file under a temporary name in the target's folder; Commit renames it over the target
// in one step, so readers see either the old file or the complete new one. Without Commit the
// temporary file is removed.
class TReplacingFileStream : public TFileStream {
public:
    explicit TReplacingFileStream(const std::string& targetName);
    ~TReplacingFileStream() override;
    void Commit();

private:
    struct TTemporary {
        std::string Name;
        int Handle;
    };
    static TTemporary CreateTemporaryBeside(const std::string& target);
    TReplacingFileStream(std::string targetName, TTemporary temporary);

    std::string FTarget;
    bool FCommitted = false;
};

// A growable stream in memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : FBytes(std::move(bytes)) {}
    TMemoryStream(const void* data, std::size_t size);

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    const std::vector<std::uint8_t>& Bytes() const { return FBytes; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(FBytes); }

private:
    std::vector<std::uint8_t> FBytes;
    std::size_t FPosition = 0;
};

} // namespace platform
