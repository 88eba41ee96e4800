#include "Support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace Corvane::Testing
{
TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    mPath = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

std::filesystem::path TempFolder::Write(const std::string& relative, const std::string& content) const
{
    const std::filesystem::path full = mPath / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full;
}

std::string TempFolder::Read(const std::string& relative) const
{
    std::ifstream in(mPath / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempFolder::Exists(const std::string& relative) const
{
    return std::filesystem::exists(mPath / relative);
}
} // namespace Corvane::Testing
