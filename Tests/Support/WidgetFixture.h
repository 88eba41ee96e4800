// A fixture for tests of single widget objects: a widget screen made the current screen, the
// messages it sees logged as "<message> <sender's name>", and drawing going to a recording canvas.
#pragma once

#include "Framework/SoundList.h"
#include "Graphics/Font.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/FakePlatform.h"
#include "Support/WidgetScreen.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Corvane::Testing
{
class WidgetFixture : public testing::Test
{
protected:
    using Log = std::vector<std::string>;

    WidgetFixture()
    {
        Internal::SetTopApplicationMode(&screen);
        Graphics::GetRenderContext().target = &canvas;
    }
    ~WidgetFixture() override
    {
        Graphics::GetRenderContext() = Graphics::RenderContext();
        Internal::SetTopApplicationMode(nullptr);
    }

    // Adds object to the screen at bounds and brings the draw list up to date.
    template <typename T> T* Add(T* object, const Rect<float>& bounds)
    {
        object->SetBounds(bounds);
        screen.Add(object);
        screen.Update(0);
        return object;
    }

    // The log so far, emptied.
    Log TakeMessages()
    {
        Log taken;
        taken.swap(messages);
        return taken;
    }

    FakePlatform platform;
    Log messages;
    WidgetScreen screen{Label(), nullptr, messages};
    RecordingCanvas canvas{{"IQuadDrawingCanvas"}};
};

// A sound list with a sound of its own for each event, and the audio platform it plays on.
class WidgetSounds
{
public:
    explicit WidgetSounds(std::initializer_list<const char*> events)
    {
        for (const char* event : events)
        {
            mSounds.push_back(std::make_unique<FakeSound>());
            mEvents[mSounds.back().get()] = event;
            list.Set(Label(event), mSounds.back().get());
        }
    }

    // The events whose sounds played, in order.
    std::vector<std::string> Played() const
    {
        std::vector<std::string> played;
        for (const auto& channel : audio.channels)
            played.push_back(mEvents.at(channel->GetSound()));
        return played;
    }

    std::vector<std::string> log;
    FakeAudioPlatform audio{log};
    SoundList list;

private:
    std::vector<std::unique_ptr<FakeSound>> mSounds;
    std::map<ISound*, std::string> mEvents;
};

// A font without pictures whose every character advances the same width.
class FixedAdvanceFont : public Font
{
public:
    FixedAdvanceFont(int advance, int lineHeight) : mAdvance(advance), mLineHeight(lineHeight) {}
    void GetGlyph(wchar_t, GlyphInfo* out) const override
    {
        if (out)
            *out = GlyphInfo();
    }
    int GetLineHeight() const override { return mLineHeight; }
    int GetAdvance(wchar_t c, wchar_t) const override { return c < 256 ? mAdvance : 0; }

private:
    int mAdvance;
    int mLineHeight;
};
} // namespace Corvane::Testing
