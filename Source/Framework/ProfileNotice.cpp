#include "Framework/ProfileNotice.h"

#include "Debug.h"
#include "Platform/Compat/Kernel/StopSignals.h"
#include "Platform/Compat/User/MessageBox.h"
#include "Platform/Win32/UnhandledException.h"
#include "Utf8.h"

namespace Corvane
{
namespace
{
int gBatchDepth = 0;
// The first failure of the open batch; empty when none failed.
std::wstring gBatchFailure;
// An open batch is the program's last save.
bool gLastSave = false;
bool gLastSaveFailed = false;

void Show(const std::wstring& text)
{
    DebugPrint("%s\n", Utf8::FromWide(text).c_str());
    MessageBoxW(nullptr, text.c_str(), GetErrorBoxCaption().c_str(), MB_OK | MB_ICONERROR);
}

std::wstring SaveFailureText(const std::wstring& failure)
{
    return L"Your progress could not be saved:\n\n" + failure +
           (gLastSave ? L"\n\nThe game ends without it."
                      : L"\n\nThe game goes on and keeps it, to save it again with the next change.");
}
} // namespace

void ReportProfileSaveFailure(const std::wstring& failure)
{
    if (gBatchDepth == 0)
        Show(SaveFailureText(failure));
    else if (gBatchFailure.empty())
        gBatchFailure = failure;
    else
        DebugPrint("Also not saved:\n%s\n", Utf8::FromWide(failure).c_str());
}

void TellPlayerAboutProfiles(const std::wstring& text)
{
    Show(text);
}

bool LastSaveFailed()
{
    return gLastSaveFailed;
}

ProfileSaveBatch::ProfileSaveBatch(Kind kind) : mKind(kind)
{
    ++gBatchDepth;
    if (kind != kLastSave)
        return;
    gLastSave = true;
    // Files are replaced whole, so a save cut short leaves the one before it.
    Compat::SetUnfinishedWork("in the middle of its last save: the profiles keep what their saves before wrote");
}

ProfileSaveBatch::~ProfileSaveBatch()
{
    --gBatchDepth;
    if (mKind == kLastSave && !gBatchFailure.empty())
        gLastSaveFailed = true;
    if (gBatchDepth == 0 && !gBatchFailure.empty())
    {
        const std::wstring failure = std::move(gBatchFailure);
        gBatchFailure.clear();
        Show(SaveFailureText(failure));
    }
    if (mKind == kLastSave)
    {
        gLastSave = false;
        Compat::SetUnfinishedWork(nullptr);
    }
}
} // namespace Corvane
