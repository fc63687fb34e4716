#include "framework/MessageBoxLayer.h"

#include <gtest/gtest.h>

#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;

TEST(MessageBoxLayer, HookSeesEveryArgumentAndAnswers)
{
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    const int answer = ShowMessageBox(nullptr, L"Delete it?", L"Question", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(answer, IDNO);
    const MessageBoxRequest request = recorder.Last();
    EXPECT_EQ(request.text, L"Delete it?");
    EXPECT_EQ(request.caption, L"Question");
    EXPECT_TRUE(request.captionGiven);
    EXPECT_EQ(request.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    ShowMessageBox(nullptr, L"plain", nullptr, MB_OK);
    EXPECT_FALSE(recorder.Last().captionGiven);
}

TEST(MessageBoxLayer, AfxMessageBoxUsesTheProgramTitle)
{
    MessageBoxRecorder recorder;
    AfxMessageBox(L"Enter no more than 80 characters.", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(recorder.Last().caption, L"Tavrel");
}
