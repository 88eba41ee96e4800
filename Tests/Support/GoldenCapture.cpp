#include "Support/GoldenCapture.h"

#include "Graphics/ImageDecoders.h"
#include "MemoryStream.h"
#include "Support/SceneHarness.h"
#include "Support/XMLNodes.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace Corvane::Testing
{
DisplaySettings WindowedSettings(int width, int height)
{
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = width;
    settings.height = height;
    return settings;
}

const Compat::PresentedFrame& PresentLoopFrame(SceneHarness& scene)
{
    Compat::ForgetPresentedFrames();
    scene.looper.Draw();
    if (Compat::CountPresentedFrames() != 1)
        throw std::runtime_error("the loop's draw presented no frame");
    return Compat::GetLastPresentedFrame();
}
} // namespace Corvane::Testing
