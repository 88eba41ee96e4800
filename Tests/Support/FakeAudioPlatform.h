// An audio platform that writes its life into a log as "audio <operation>"; it stores itself as
// the engine's audio platform while it lives.
#pragma once

#include "Framework/IAudioPlatform.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
class FakeAudioPlatform : public IAudioPlatform
{
public:
    explicit FakeAudioPlatform(std::vector<std::string>& log) : mLog(log) {}
    ~FakeAudioPlatform() override { mLog.push_back("audio deleted"); }

    Label GetName() override { return Label::Intern("Fake Audio"); }
    void Init() override { mLog.push_back("audio Init"); }
    void Shutdown() override { mLog.push_back("audio Shutdown"); }
    void SetActive(bool active) override { mLog.push_back(active ? "audio active" : "audio inactive"); }
    void Update(float) override { ++updates; }

    int updates = 0;

private:
    std::vector<std::string>& mLog;
};
} // namespace Corvane::Testing
