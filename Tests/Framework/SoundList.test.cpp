#include "Framework/SoundList.h"

#include "Framework/ResourceManager.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/TestSoundFactory.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
class SoundListTest : public testing::Test
{
protected:
    SoundListTest()
    {
        LoadTestSounds(resources, R"(
            <testsound name="Click"/>
            <testsound name="Theme" type="Music"/>
            <soundlist name="Buttons">
              <sound event="click" src="Theme"/>
              <sound event="click" src="Click"/>
              <Sound event="hover" src="Click"/>
              <other event="press" src="Click"><sound event="nested" src="Click"/></other>
              <sound event="silent"/>
              <sound src="Theme"/>
              <sound event="late" src="Late"/>
            </soundlist>
            <testsound name="Late"/>)");
        list = ResourceManager::Get<SoundList>(Label("Buttons")).Get();
    }
    ISound* Sound(const char* name) { return ResourceManager::Get<ISound>(Label(name)).Get(); }

    ResourceFolder resources;
    std::vector<std::string> log;
    FakeAudioPlatform audio{log};
    const SoundList* list = nullptr;
};
} // namespace

TEST_F(SoundListTest, EachDirectSoundChildMapsItsEventToTheSoundDeclaredBeforeTheList)
{
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Find(Label("click")), Sound("Click")) << "a later entry replaces an earlier one";
    EXPECT_EQ(list->Find(Label("")), Sound("Theme")) << "no event maps the empty label";
    for (const char* absent : {"hover", "press", "nested", "silent", "late", "unknown"})
        EXPECT_EQ(list->Find(Label(absent)), nullptr) << absent;
    EXPECT_NE(Sound("Late"), nullptr);
}

TEST_F(SoundListTest, PlayingAnEventPlaysItsSoundOnceAndKeepsNoChannel)
{
    list->Play(Label("CLICK"));
    ASSERT_EQ(audio.channels.size(), 1u);
    EXPECT_EQ(audio.channels[0]->GetSound(), Sound("Click"));
    EXPECT_EQ(audio.channels[0]->GetReferenceCount(), 1);

    const CallLog before = audio.calls;
    list->Play(Label("silent"));
    list->Play(Label("unknown"));
    EXPECT_EQ(audio.calls, before);
}
