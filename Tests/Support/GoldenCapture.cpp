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
namespace
{
DisplaySettings Windowed(int width, int height)
{
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = width;
    settings.height = height;
    return settings;
}
} // namespace

SoftwareScreen::SoftwareScreen(int width, int height) : mPlatform(width, height)
{
    mRenderer.Setup(Windowed(width, height));
}

const Compat::PresentedFrame& SoftwareScreen::Present(SceneHarness& scene)
{
    Compat::ForgetPresentedFrames();
    scene.looper.Draw();
    if (Compat::CountPresentedFrames() != 1)
        throw std::runtime_error("the loop's draw presented no frame");
    return Compat::GetLastPresentedFrame();
}

std::string CompareWithGolden(const Compat::PresentedFrame& frame, const std::filesystem::path& golden)
{
    if (std::getenv("CORVANE_WRITE_GOLDEN"))
    {
        std::filesystem::create_directories(golden.parent_path());
        if (!Compat::SavePresentedFrame(golden.string().c_str()))
            return "could not write " + golden.string();
        return "wrote " + golden.string();
    }

    std::ifstream file(golden, std::ios::binary);
    if (!file)
        return "no golden capture at " + golden.string();
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    MemoryStream stream(golden.filename().wstring());
    Fill(stream, bytes);
    int width = 0, height = 0;
    const std::unique_ptr<PackedColor[]> pixels = DecodePng(stream, width, height);
    if (!pixels)
        return "cannot decode " + golden.string();
    if (width != frame.width || height != frame.height)
        return "the frame is " + std::to_string(frame.width) + "x" + std::to_string(frame.height) + ", the capture " +
               std::to_string(width) + "x" + std::to_string(height);

    int different = 0;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
        different += (frame.pixels[i] | 0xFF000000u) != (pixels[i] | 0xFF000000u);
    if (different == 0)
        return "";
    const std::filesystem::path actual =
        std::filesystem::temp_directory_path() / (golden.stem().string() + "-actual.png");
    Compat::SavePresentedFrame(actual.string().c_str());
    return std::to_string(different) + " pixels differ from " + golden.string() + "; this run's frame is " +
           actual.string();
}
} // namespace Corvane::Testing
