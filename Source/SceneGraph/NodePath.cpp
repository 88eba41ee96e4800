#include "SceneGraph/NodePath.h"

using namespace Corvane;

int NodePathElement::GetIndex() const
{
    const int* index = std::get_if<int>(&mStep);
    return index ? *index : 0;
}

Label NodePathElement::GetLabel() const
{
    switch (mStep.index())
    {
    case kLabel: return std::get<Label>(mStep);
    case kCString: return Label::Intern(std::get<const char*>(mStep));
    case kString: return Label(std::get<std::string>(mStep));
    case kWideString: return Label(std::get<std::wstring>(mStep));
    default: return Label();
    }
}

NodePath NodePath::operator+(const NodePath& more) const
{
    std::vector<NodePathElement> steps = mSteps;
    steps.insert(steps.end(), more.mSteps.begin(), more.mSteps.end());
    return NodePath(std::move(steps));
}
