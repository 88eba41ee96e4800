// A stream over one file on disk. Used by one thread at a time.
#pragma once

#include "Platform/Compat/Kernel/Types.h"
#include "Stream.h"

namespace Win32
{
class FileStream final : public Corvane::IStream
{
public:
    // access: 1 read, 2 write, 3 both (0: neither), plus 4 to open no symbolic link; disposition:
    // 0 create always, 1 create new, 2 open always, 3 open existing. Raises Win32Error "Could not
    // open file '<path>'." (with the system's reason) when the file cannot be opened.
    FileStream(const std::wstring& path, int access, int disposition);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    // The path the file was opened with.
    std::wstring& GetName(std::wstring& out) override;
    // Read and write as the access allows; seek always.
    unsigned GetCapabilities() override;
    std::uint32_t GetSize() override;
    bool IsEOF() override;
    // 0 on failure.
    unsigned Read(void* buffer, unsigned count) override;
    // Not supported: raises RuntimeError.
    unsigned ReadOptimized(const void** data, unsigned count) override;
    // 0 on failure.
    unsigned Write(const void* buffer, unsigned count) override;
    // An unknown origin counts as the start; only the low 32 bits of offset move the position.
    void Seek(int origin, std::int64_t offset) override;
    std::uint32_t Tell() override;

private:
    std::wstring mPath;
    HANDLE mHandle;
    unsigned mCapabilities;
};
} // namespace Win32
