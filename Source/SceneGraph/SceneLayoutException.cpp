#include "SceneGraph/SceneLayoutException.h"

SceneLayoutException::SceneLayoutException(const std::string& message)
    : std::runtime_error(message), mMessage(message), mText(message)
{
}

void SceneLayoutException::SetLayoutName(const std::string& name)
{
    if (!mLayoutName.empty())
        return;
    mLayoutName = name;
    mText = mLayoutName.empty() ? mMessage : "in SceneLayout \"" + mLayoutName + "\": " + mMessage;
}
