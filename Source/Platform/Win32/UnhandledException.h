// The last-resort handlers of the entry function.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace Corvane
{
// Runs body inside one guarded region. An exception that escapes it is reported to the debug
// output and in an error box; the result is then 1 (0 when body returned).
int RunGuarded(const std::function<void()>& body);

// Reports e as unhandled: debug lines, then the error box captioned with caption.
void ReportUnhandledException(const std::exception& e, const std::wstring& caption);

// The error box's text for e: "Unhandled Exception", the engine error's location, the message.
std::wstring DescribeUnhandledException(const std::exception& e);
} // namespace Corvane
