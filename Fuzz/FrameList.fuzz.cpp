// Feeds arbitrary bytes to the frame-list parser. Beyond "no crash, no hang, only the two errors it
// may raise": a list that parses has no negative index and no more than the limit, written back as
// plain comma-separated indices it parses to the same list, and every syntax error names a token
// with its line and column.
#include "SceneGraph/AnimationParseError.h"
#include "SceneGraph/FrameList.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <typeinfo>

namespace
{
bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<int> indices;
    try
    {
        indices = ParseFrameList(text);
    }
    catch (const AnimationParseError& error)
    {
        const std::string& message = error.GetMessage();
        if (!(StartsWith(message, "illegal token '") || StartsWith(message, "unrecognized token '") ||
              StartsWith(message, "frame list too long (line ")) ||
            message.find("(line ") == std::string::npos)
            std::abort();
        // The offending character is quoted as it is, so a NUL cuts the C-string text short.
        if (message.substr(0, message.find('\0')) != error.what())
            std::abort();
        return 0;
    }
    catch (const std::bad_cast&)
    {
        return 0; // digits beyond a 32-bit integer
    }

    if (indices.size() > kMaxFrameListLength)
        std::abort();
    std::string written;
    for (int index : indices)
    {
        if (index < 0)
            std::abort();
        written += (written.empty() ? "" : ",") + std::to_string(index);
    }
    if (ParseFrameList(written) != indices)
        std::abort();
    return 0;
}
