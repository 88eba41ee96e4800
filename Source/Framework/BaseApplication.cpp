#include "Framework/BaseApplication.h"

namespace Corvane
{
BaseApplication::BaseApplication()
{
    mInfo.companyName = L"[Company Name]";
    mInfo.productName = L"[Product Name]";
    mInfo.legalNotice = L"[Legal Notice]";
    mInfo.userVersion = L"[User Version]";
    mInfo.fullVersion = L"[Full Version]";
    Internal::EngineWide<IApplication>::Set(this);
}

BaseApplication::~BaseApplication()
{
    Internal::EngineWide<IApplication>::Release(this);
}

const RunSettings& BaseApplication::GetRunSettings()
{
    static const RunSettings settings;
    return settings;
}

const DisplaySettings& BaseApplication::GetDisplaySettings()
{
    static const DisplaySettings settings;
    return settings;
}
} // namespace Corvane
