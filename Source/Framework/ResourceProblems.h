// Why a resource could not be made, said by the code that reads its files (a picture that is not
// there or does not decode, a font without its metrics). Such code gives nothing rather than
// throwing; what it says goes to the debug output, and, while the resource manager builds a
// resource on the same thread, becomes the reason the manager gives for the missing resource.
#pragma once

#include <string>

namespace Corvane
{
// printf-style, one line ending in "\n"; any thread.
void ReportResourceProblem(const char* printfFormat, ...) __attribute__((format(printf, 1, 2)));

namespace Internal
{
// Keeps the problems reported on this thread while it lives; scopes nest (an image list builds its
// pictures inside its own build), and the innermost one keeps them.
class ResourceProblemScope
{
public:
    ResourceProblemScope();
    ~ResourceProblemScope();
    ResourceProblemScope(const ResourceProblemScope&) = delete;
    ResourceProblemScope& operator=(const ResourceProblemScope&) = delete;

    // The problems reported, one sentence after another; empty when none.
    const std::string& Text() const { return mText; }

private:
    friend void Corvane::ReportResourceProblem(const char*, ...);

    std::string mText;
    ResourceProblemScope* mOuter;
};
} // namespace Internal
} // namespace Corvane
