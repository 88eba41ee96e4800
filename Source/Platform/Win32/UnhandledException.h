// The last-resort handlers of the entry function.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace Corvane
{
// Runs body inside one guarded region. When an exception escapes it, the worker threads are
// stopped, the exception is reported to the debug output and in an error box, and the result is 1
// (0 when body returned).
int RunGuarded(const std::function<void()>& body);

// Reports e as unhandled: debug lines, then the error box captioned with caption.
void ReportUnhandledException(const std::exception& e, const std::wstring& caption);

// The error box's caption: the application's product name, or the engine's name before there is
// an application.
std::wstring GetErrorBoxCaption();

// The error box's text for e: "Unhandled Exception", the engine error's location, the message.
std::wstring DescribeUnhandledException(const std::exception& e);
} // namespace Corvane
