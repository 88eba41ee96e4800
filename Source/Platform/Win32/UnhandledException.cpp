#include "Platform/Win32/UnhandledException.h"

#include "Debug.h"
#include "Framework/EngineHooks.h"
#include "Framework/IApplication.h"
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

std::wstring GetErrorBoxCaption()
{
    // Before the application exists the box carries the engine's own name.
    IApplication* application = IApplication::GetInstance();
    const wchar_t* product = application ? application->GetInfo().productName : nullptr;
    return product ? product : L"Corvane 2DEngine";
}

namespace
{
void StopWorkerThreads()
{
    try
    {
        Internal::RunHook(Internal::GetEngineHooks().stopWorkerThreads);
    }
    catch (const std::exception& e)
    {
        DebugPrint("Stopping the worker threads failed: %s\n", e.what());
    }
}

void ReportFailedRun(const std::exception& e)
{
    // The loader may still be reading on its thread: it must not outlive what it works on.
    StopWorkerThreads();
    ReportUnhandledException(e, GetErrorBoxCaption());
}
} // namespace

int RunGuarded(const std::function<void()>& body)
{
    try
    {
        body();
        return 0;
    }
    catch (const std::exception& e)
    {
        // Engine errors add their source location to the report.
        ReportFailedRun(e);
    }
    catch (...)
    {
        // Not the engine's nor a standard error: still reported rather than left to terminate.
        StopWorkerThreads();
        DebugPrint("Unhandled Exception: ");
        DebugPrint("\tMessage:\tAn error of unknown type.\n");
        MessageBoxW(nullptr, L"Unhandled Exception\n\nAn error of unknown type.", GetErrorBoxCaption().c_str(),
                    MB_OK | MB_ICONERROR);
    }
    // A failed run must not look like a clean exit to whoever started the program.
    return 1;
}
} // namespace Corvane
