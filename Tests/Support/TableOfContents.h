// Builds "resources.toc" files byte by byte for the file-source and download tests.
#pragma once

#include "Framework/ResourceChecksum.h"
#include "Label.h"

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace Corvane::Testing
{
struct TableFile
{
    std::string name;    // "./Images/a.png": the path the table lists
    std::string content; // what the file should hold
};

inline void PutWord(std::string& out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The checksum a file's entry carries: over the non-space bytes of ".txt" and ".xml" files.
inline std::uint32_t TableChecksum(const TableFile& file)
{
    ResourceChecksum checksum;
    const std::size_t dot = file.name.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : file.name.substr(dot);
    if (extension == ".txt" || extension == ".xml")
        checksum.AddNonSpace(file.content.data(), file.content.size());
    else
        checksum.Add(file.content.data(), file.content.size());
    return checksum.Get();
}

// The entry's name hash: over its file name without the folder.
inline std::uint32_t TableHash(const std::string& name)
{
    const std::string file = name.substr(name.find_last_of("/\\") + 1);
    return HashNoCaseWide(std::wstring(file.begin(), file.end()).c_str());
}

// The four checksum bytes that end a table whose other bytes are table.
inline std::string Seal(const std::string& table)
{
    std::string word(4, '\0');
    PutWord(word, 0, ComputeChecksum(table.data(), table.size()));
    return word;
}

// A whole table (without its trailing checksum when sealed is false).
inline std::string BuildTable(const std::vector<TableFile>& files, bool sealed = true)
{
    std::string table(4 + 20 * files.size(), '\0');
    PutWord(table, 0, static_cast<std::uint32_t>(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i)
    {
        const std::size_t at = 4 + 20 * i;
        PutWord(table, at, TableHash(files[i].name));
        PutWord(table, at + 4, TableChecksum(files[i]));
        PutWord(table, at + 8, static_cast<std::uint32_t>(files[i].content.size()));
        PutWord(table, at + 12, static_cast<std::uint32_t>(table.size()));
        table += files[i].name;
        table += '\0';
    }
    if (sealed)
        table += Seal(table);
    return table;
}

} // namespace Corvane::Testing
