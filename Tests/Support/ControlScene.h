// A scene-graph screen for the tests of control nodes: the scene harness (layouts, real input
// through the loop) whose screen logs every message it sees as "<message> <sender's node name>",
// a fake audio platform that records the sounds the controls play, and resource elements for
// fonts and sounds made in memory:
//
//   <testfont name="Font"/>                       a TestFont with the default spec (TestFontFactory.h)
//   <testsound name="Ping"/>                      a FakeSound
//   <soundlist name="Clicky"><sound event="Hot" src="Ping"/></soundlist>
//   <testimagelist name="Pics" sizes="20x10,30x10"/>   each pixel's alpha its column (SpriteScene.h)
//   <string name="Title" value="Hello"/>           and the other value resources
#pragma once

#include "Framework/IResourceFactory.h"
#include "Framework/ISound.h"
#include "Framework/ResourceWrapper.h"
#include "Framework/SoundListResourceFactory.h"
#include "Framework/ValueResources.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/SceneHarness.h"
#include "Support/SpriteScene.h"
#include "Support/TestFontFactory.h"
#include "Support/TestSoundFactory.h"

#include <string>
#include <utility>
#include <vector>

namespace Corvane::Testing
{
// Logs "<message> <node name of the sender>" ("nobody" when the sender is no node).
class MessageLogScreen : public SceneApplicationMode
{
public:
    explicit MessageLogScreen(std::vector<std::string>& log) : mLog(log) {}
    void OnMessage(const ObjectMessage& message) override
    {
        const SceneNode* sender = NodeFromID(message.GetSender());
        const Label name = sender ? sender->GetNodeName() : Label("nobody");
        mLog.push_back(std::string(message.GetName().c_str()) + " " + (name ? name.c_str() : ""));
    }

private:
    std::vector<std::string>& mLog;
};

struct ControlSceneLogs
{
    std::vector<std::string> messages;
    std::vector<std::string> audioLog;
};

class ControlScene : public ControlSceneLogs, public SceneHarness
{
public:
    ControlScene() : SceneHarness(new MessageLogScreen(messages))
    {
        Manager().RegisterFactory(L"testfont", new TestFontFactory);
        Manager().RegisterFactory(L"testsound", new TestSoundFactory);
        Manager().RegisterFactory(L"soundlist", new SoundListResourceFactory);
        Manager().RegisterFactory(L"testimagelist", new TestImageListFactory);
        RegisterValueResourceFactories();
    }

    // The names (of those given) of the sounds started since the last call, in order. Moves the
    // fake audio clock on, so that the same sound may start again afterwards.
    std::vector<std::string> TakeSounds(const std::vector<std::string>& names)
    {
        std::vector<std::string> played;
        for (; mSoundsSeen < audio.channels.size(); ++mSoundsSeen)
            for (const std::string& name : names)
                if (audio.channels[mSoundsSeen]->GetSound() == ResourceManager::Get<ISound>(Label(name)).Get())
                    played.push_back(name);
        audio.now += 10000;
        return played;
    }
    // The messages logged since the last call.
    std::vector<std::string> TakeMessages() { return std::exchange(messages, {}); }

    FakeAudioPlatform audio{audioLog};

private:
    std::size_t mSoundsSeen = 0;
};
} // namespace Corvane::Testing
