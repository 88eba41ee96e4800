#include "Platform/Win32/UnhandledException.h"

#include "Debug.h"
#include "Platform/Compat/User/MessageBox.h"
#include "RuntimeError.h"
#include "TextConversion.h"
#include "TypeName.h"

#include <typeinfo>

namespace Corvane
{
namespace
{
// The readable name of the exception's dynamic type.
std::string TypeName(const std::exception& e)
{
    return GetTypeName(typeid(e));
}

std::wstring Widened(const std::string& text)
{
    std::wstring wide;
    Narrow::ToWide(wide, text.c_str());
    return wide;
}
} // namespace

std::wstring DescribeUnhandledException(const std::exception& e)
{
    std::string text = "Unhandled Exception\n\n";
    if (const auto* error = dynamic_cast<const RuntimeError*>(&e))
    {
        text += "Function:\t" + error->GetFunction() + "\n";
        text += "File:\t" + error->GetFile() + "\n";
        text += "Line:\t" + std::to_string(error->GetLine()) + "\n\n";
    }
    text += e.what();
    return Widened(text);
}

void ReportUnhandledException(const std::exception& e, const std::wstring& caption)
{
    DebugPrint("Unhandled Exception: ");
    DebugPrint("%s\n", TypeName(e).c_str());
    if (const auto* error = dynamic_cast<const RuntimeError*>(&e))
    {
        DebugPrint("\tFunction:\t%s\n", error->GetFunction().c_str());
        DebugPrint("\tFile:\t%s\n", error->GetFile().c_str());
        DebugPrint("\tLine:\t%d\n", error->GetLine());
    }
    DebugPrint("\tMessage:\t%s\n", e.what());
    MessageBoxW(nullptr, DescribeUnhandledException(e).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

int RunGuarded(const std::function<void()>& body)
{
    // Before the application exists the box carries the engine's own name.
    const std::wstring caption = L"Corvane 2DEngine";
    try
    {
        body();
        return 0;
    }
    catch (const RuntimeError& e)
    {
        ReportUnhandledException(e, caption);
    }
    catch (const std::runtime_error& e)
    {
        ReportUnhandledException(e, caption);
    }
    catch (const std::exception& e)
    {
        ReportUnhandledException(e, caption);
    }
    // A failed run must not look like a clean exit to whoever started the program.
    return 1;
}
} // namespace Corvane
