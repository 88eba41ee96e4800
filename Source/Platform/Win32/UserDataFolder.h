// The per-user folder where the game keeps its profiles: the user's application-data folder, then
// one folder named after the company and one after the product.
#pragma once

#include <string>

namespace Corvane
{
// Keeps only ASCII letters, digits, space, apostrophe and comma, so that any company or product
// name makes a valid folder name.
std::wstring CleanFolderName(const std::wstring& name);

// The folder for company and product, created with its parents when missing (an existing one is
// fine). A folder that cannot be created is reported to the debug output; its path is returned
// all the same, and opening files there fails later with the file's own error. Raises RuntimeError
// when the user's application-data folder is unknown.
std::wstring CreateUserDataFolder(const std::wstring& company, const std::wstring& product);
} // namespace Corvane
