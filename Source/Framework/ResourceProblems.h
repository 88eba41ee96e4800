// Why a resource could not be made, said by the code that reads its files (a picture that is not
// there or does not decode, a font without its metrics). Such code gives nothing rather than
// throwing; what it says goes to the debug output, and, while the resource manager builds a
// resource on the same thread, becomes the reason the manager gives for the missing resource.
#pragma once

#include <cstdarg>
#include <string>

namespace Corvane
{
// printf-style, one line ending in "\n"; any thread.
void ReportResourceProblem(const char* printfFormat, ...) __attribute__((format(printf, 1, 2)));
// A part of a resource that could not be read while the resource is made without it (a sound's
// file that plays nothing): said as a problem is, and the resource manager lists it among its
// failures although the resource exists.
void ReportResourceLoss(const char* printfFormat, ...) __attribute__((format(printf, 1, 2)));

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
    // The losses among them.
    const std::string& Losses() const { return mLosses; }
    // The problems of this scope become a loss of the scope around it, not said again: a picture
    // that is there but could not be read, left out of the list that was building it.
    void PassOnAsLoss();

    // What the two reports share: the line to the debug output and to the innermost scope.
    static void Report(const char* printfFormat, va_list args, bool loss);

private:
    std::string mText;
    std::string mLosses;
    ResourceProblemScope* mOuter;
};
} // namespace Internal
} // namespace Corvane
