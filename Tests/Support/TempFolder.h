// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away.
#pragma once

#include <filesystem>
#include <string>

namespace Corvane::Testing
{
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    std::wstring WidePath() const { return mPath.wstring(); }

    // Writes a file below the folder (creating its folders) and returns its full path.
    std::filesystem::path Write(const std::string& relative, const std::string& content) const;
    // The content of a file below the folder, empty when it cannot be read.
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

private:
    std::filesystem::path mPath;
};
} // namespace Corvane::Testing
