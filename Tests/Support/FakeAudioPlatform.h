// An audio platform that writes its life into a log as "audio <operation>" and every call made on
// its channels and controls into `calls` as "<node> <operation> <arguments>"; it stores itself as
// the engine's audio platform while it lives. Like the real one it keeps every channel it made
// (one reference each), a master node and the category nodes ("Effect", "Ambient", "Music" and
// any other asked for, at volume 0.5); nodes made for plays are named "node1", "node2"...
#pragma once

#include "Framework/IAudioControls.h"
#include "Framework/IAudioPlatform.h"
#include "Framework/ISound.h"
#include "Framework/ISoundChannel.h"
#include "RefPtr.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace Corvane::Testing
{
using CallLog = std::vector<std::string>;

inline std::string FormatNumbers(const std::string& text, std::initializer_list<float> numbers)
{
    std::ostringstream out;
    out << text;
    for (float number : numbers)
        out << ' ' << number;
    return out.str();
}

class FakeAudioControls : public Referenced<IAudioControls>
{
public:
    FakeAudioControls(CallLog& calls, std::string name, IAudioControls* parent)
        : mCalls(calls), mName(std::move(name)), mParent(parent)
    {
    }

    const std::string& GetName() const { return mName; }
    IAudioControls* GetParent() const { return mParent.Get(); }

    bool IsPaused() override { return paused; }
    void Pause() override { paused = Note("Pause", {}, true); }
    void PauseAfter(float seconds) override { Note("PauseAfter", {seconds}); }
    void Resume() override { paused = Note("Resume", {}, false); }
    void ResumeAfter(float seconds) override { Note("ResumeAfter", {seconds}); }
    bool IsStopRequested() override { return false; }
    void Stop() override { Note("Stop", {}); }
    void StopAfter(float seconds) override { Note("StopAfter", {seconds}); }
    bool IsMuted() override { return own.muted; }
    void SetMuted(bool muted) override { own.muted = Note("SetMuted", {muted ? 1.0f : 0.0f}, muted); }
    float GetVolume() override { return own.volume; }
    void SetVolume(float volume) override { own.volume = Note("SetVolume", {volume}, volume); }
    void FadeVolume(float target, float seconds) override { Note("FadeVolume", {target, seconds}); }
    float GetRate() override { return own.rate; }
    void SetRate(float rate) override { own.rate = Note("SetRate", {rate}, rate); }
    void FadeRate(float target, float seconds) override { Note("FadeRate", {target, seconds}); }
    float GetPan() override { return own.pan; }
    void SetPan(float pan) override { own.pan = Note("SetPan", {pan}, pan); }
    void FadePan(float target, float seconds) override { Note("FadePan", {target, seconds}); }
    bool HasChanged() override { return false; }
    void Update(float) override {}
    AudioControlSettings GetSettings() override { return own; }
    void SetSettings(const AudioControlSettings& settings) override
    {
        own = Note("SetSettings", {settings.volume, settings.muted ? 1.0f : 0.0f}, settings);
    }

    AudioControlSettings own;
    bool paused = false;

private:
    // Records the call; returns value, the setting it stores.
    template <typename T = int> T Note(const char* operation, std::initializer_list<float> numbers, T value = {})
    {
        mCalls.push_back(FormatNumbers(mName + " " + operation, numbers));
        return value;
    }

    CallLog& mCalls;
    std::string mName;
    RefPtr<IAudioControls> mParent;
};

class FakeSoundChannel : public Referenced<ISoundChannel>
{
public:
    FakeSoundChannel(CallLog& calls, const int& now) : mCalls(calls), mNow(now) {}

    void Play(ISound* sound, int loopCount) override
    {
        mSound = sound;
        startedAt = mNow;
        mCalls.push_back("channel Play " + std::to_string(loopCount));
    }
    void Stop() override { mSound = nullptr; }
    bool IsPlaying() override { return mSound != nullptr; }
    ISound* GetSound() override { return mSound; }
    IAudioControls* GetControls() override { return mControls.Get(); }
    void SetControls(IAudioControls* controls) override
    {
        mControls = controls;
        mCalls.push_back("channel SetControls " + static_cast<FakeAudioControls*>(controls)->GetName());
    }
    void Update(float) override {}

    int startedAt = 0;

private:
    CallLog& mCalls;
    const int& mNow;
    ISound* mSound = nullptr;
    RefPtr<IAudioControls> mControls;
};

class FakeAudioPlatform : public IAudioPlatform
{
public:
    explicit FakeAudioPlatform(std::vector<std::string>& log) : mLog(log)
    {
        mMaster = RefPtr<FakeAudioControls>::Adopt(new FakeAudioControls(calls, "master", nullptr));
    }
    ~FakeAudioPlatform() override { mLog.push_back("audio deleted"); }

    Label GetName() override { return Label::Intern("Fake Audio"); }
    void Init() override { mLog.push_back("audio Init"); }
    void Shutdown() override { mLog.push_back("audio Shutdown"); }
    void SetActive(bool active) override { mLog.push_back(active ? "audio active" : "audio inactive"); }
    void Update(float) override { ++updates; }

    ISoundChannel* CreateChannel() override
    {
        calls.push_back("audio CreateChannel");
        channels.push_back(RefPtr<FakeSoundChannel>::Adopt(new FakeSoundChannel(calls, now)));
        return RefPtr<ISoundChannel>(channels.back().Get()).Detach();
    }
    IAudioControls* GetMasterControls() override { return RefPtr<IAudioControls>(mMaster.Get()).Detach(); }
    IAudioControls* GetCategoryControls(Label category) override
    {
        calls.push_back(std::string("audio GetCategoryControls ") + category.c_str());
        RefPtr<FakeAudioControls>& node = categories[category.c_str()];
        if (!node)
        {
            node = RefPtr<FakeAudioControls>::Adopt(new FakeAudioControls(calls, category.c_str(), mMaster.Get()));
            node->own.volume = 0.5f;
        }
        return RefPtr<IAudioControls>(node.Get()).Detach();
    }
    IAudioControls* CreateControls(IAudioControls* parent) override
    {
        const std::string name = "node" + std::to_string(++mNodes);
        const std::string parentName = parent ? static_cast<FakeAudioControls*>(parent)->GetName() : "root";
        calls.push_back("audio CreateControls " + name + " under " + parentName);
        return new FakeAudioControls(calls, name, parent);
    }
    bool WasStartedRecently(ISound* sound, int milliseconds) override
    {
        for (const RefPtr<FakeSoundChannel>& channel : channels)
            if (channel->GetSound() == sound && channel->startedAt + milliseconds >= now)
                return true;
        return false;
    }

    FakeAudioControls& Master() { return *mMaster; }

    int updates = 0;
    // The clock WasStartedRecently compares start times with, in milliseconds.
    int now = 0;
    CallLog calls;
    std::vector<RefPtr<FakeSoundChannel>> channels;
    std::map<std::string, RefPtr<FakeAudioControls>> categories;

private:
    std::vector<std::string>& mLog;
    RefPtr<FakeAudioControls> mMaster;
    int mNodes = 0;
};

// A sound resource with fixed properties.
class FakeSound : public ISound
{
public:
    Label GetCategory() override { return category; }
    float GetVolume() override { return volume; }
    float GetRate() override { return rate; }
    float GetPan() override { return pan; }
    int GetLoopCount() override { return loopCount; }
    IReferenced* GetData() override { return nullptr; }

    Label category = Label::Intern("Effect");
    float volume = 1.0f;
    float rate = 1.0f;
    float pan = 0.0f;
    int loopCount = 1;
};
} // namespace Corvane::Testing
