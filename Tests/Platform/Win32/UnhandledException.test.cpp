#include "Platform/Win32/UnhandledException.h"

#include "Platform/Compat/User/MessageBox.h"
#include "RuntimeError.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

#include <string>

using namespace Corvane;

namespace
{
std::wstring gBoxText;
std::wstring gBoxCaption;
UINT gBoxType = 0;

int RecordBox(const wchar_t* text, const wchar_t* caption, UINT type)
{
    gBoxText = text;
    gBoxCaption = caption;
    gBoxType = type;
    return IDOK;
}

class UnhandledExceptionTest : public testing::Test
{
protected:
    void SetUp() override { mPrevious = SetMessageBoxPresenter(&RecordBox); }
    void TearDown() override { SetMessageBoxPresenter(mPrevious); }

    Testing::DebugCapture mDebug;
    MessageBoxPresenter mPrevious = nullptr;
};
} // namespace

TEST_F(UnhandledExceptionTest, EngineErrorsReportTheirSite)
{
    const int result = RunGuarded([] { throw RuntimeError("Could not create display", "Source/x.cpp", 28, "F::G"); });
    EXPECT_NE(result, 0);
    const auto writes = mDebug.Writes();
    const std::vector<std::string> expected = {"Unhandled Exception: ", "Corvane::RuntimeError\n",
                                               "\tFunction:\tF::G\n",   "\tFile:\tSource/x.cpp\n",
                                               "\tLine:\t28\n",         "\tMessage:\tCould not create display\n"};
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(gBoxText,
              L"Unhandled Exception\n\nFunction:\tF::G\nFile:\tSource/x.cpp\nLine:\t28\n\nCould not create display");
    EXPECT_EQ(gBoxCaption, L"Corvane 2DEngine");
    EXPECT_EQ(gBoxType, MB_OK | MB_ICONERROR);
}

TEST_F(UnhandledExceptionTest, StandardErrorsReportTypeAndMessage)
{
    EXPECT_NE(RunGuarded([] { throw std::out_of_range("index"); }), 0);
    const std::vector<std::string> expected = {"Unhandled Exception: ", "std::out_of_range\n", "\tMessage:\tindex\n"};
    EXPECT_EQ(mDebug.Writes(), expected);
    EXPECT_EQ(gBoxText, L"Unhandled Exception\n\nindex");
}

TEST_F(UnhandledExceptionTest, ACleanRunReturnsZeroAndShowsNothing)
{
    gBoxText.clear();
    EXPECT_EQ(RunGuarded([] {}), 0);
    EXPECT_TRUE(gBoxText.empty());
    EXPECT_TRUE(mDebug.Writes().empty());
}
