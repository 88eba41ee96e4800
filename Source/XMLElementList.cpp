#include "XMLElementList.h"

namespace Corvane
{
XMLElementList::XMLElementList(IXMLReader& reader)
{
    for (XMLElement* node = reader.Next(); node; node = reader.Next())
    {
        mElements.push_back(*node);
        if (reader.AtEnd())
            break;
    }
}

bool XMLElementList::AtEnd()
{
    return mElements.empty() || mIndex == static_cast<int>(mElements.size()) - 1;
}

XMLElement* XMLElementList::Next()
{
    if (mIndex + 1 >= static_cast<int>(mElements.size()))
        return nullptr;
    ++mIndex;
    return &mElements[static_cast<std::size_t>(mIndex)];
}

XMLElement* XMLElementList::Current()
{
    if (mIndex < 0 || mIndex >= static_cast<int>(mElements.size()))
        return nullptr;
    return &mElements[static_cast<std::size_t>(mIndex)];
}

float XMLElementList::GetProgress()
{
    if (AtEnd())
        return 1.0f;
    return static_cast<float>(mIndex + 1) / static_cast<float>(mElements.size());
}

int XMLElementList::GetLine()
{
    return 0;
}

std::wstring& XMLElementList::GetName(std::wstring& out)
{
    out.clear();
    return out;
}
} // namespace Corvane
