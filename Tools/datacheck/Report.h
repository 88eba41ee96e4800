// What the data checker found: problems, each at a line of a data file, and notes that fail
// nothing (what could not be checked yet).
#pragma once

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Corvane::DataCheck
{
struct Problem
{
    std::string file; // relative to the data folder, with '/'
    int line = 0;     // from 1; 0 when the problem belongs to the whole file
    std::string message;
};

class Report
{
public:
    void Add(const std::string& file, int line, const std::string& message);
    void Note(const std::string& message) { mNotes.push_back(message); }

    bool HasProblemAt(const std::string& file, int line) const { return mPlaces.count({file, line}) > 0; }
    const std::vector<Problem>& Problems() const { return mProblems; }
    // The problems in file and line order (in the order found within one line).
    std::vector<Problem> Sorted() const;
    const std::vector<std::string>& Notes() const { return mNotes; }

    // "file(line): message" for each problem, in file and line order, then the notes as
    // "note: ...". Returns the number of problems.
    std::size_t Print(std::FILE* out) const;

private:
    std::vector<Problem> mProblems;
    std::set<std::pair<std::string, int>> mPlaces;
    std::vector<std::string> mNotes;
};
} // namespace Corvane::DataCheck
