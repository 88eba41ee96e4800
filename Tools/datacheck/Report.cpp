#include "Report.h"

#include <algorithm>

namespace Corvane::DataCheck
{
void Report::Add(const std::string& file, int line, const std::string& message)
{
    // Two checks may come to the same conclusion about one element; say it once.
    for (const Problem& problem : mProblems)
        if (problem.file == file && problem.line == line && problem.message == message)
            return;
    mProblems.push_back({file, line, message});
    mPlaces.insert({file, line});
}

std::vector<Problem> Report::Sorted() const
{
    std::vector<Problem> sorted = mProblems;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Problem& a, const Problem& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    return sorted;
}

std::size_t Report::Print(std::FILE* out) const
{
    const std::vector<Problem> sorted = Sorted();
    for (const Problem& problem : sorted)
    {
        if (problem.line > 0)
            std::fprintf(out, "%s(%d): %s\n", problem.file.c_str(), problem.line, problem.message.c_str());
        else
            std::fprintf(out, "%s: %s\n", problem.file.c_str(), problem.message.c_str());
    }
    for (const std::string& note : mNotes)
        std::fprintf(out, "note: %s\n", note.c_str());
    return sorted.size();
}
} // namespace Corvane::DataCheck
