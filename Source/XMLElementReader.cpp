#include "XMLElementReader.h"

namespace Corvane
{
bool XMLElementReader::AtEnd()
{
    // A document that ends inside the element ends the element too: waiting for its end tag
    // would never end.
    return mDepth == 0 || mPending || mParent->AtEnd();
}

XMLElement* XMLElementReader::Next()
{
    XMLElement* node = nullptr;
    if (mPending)
    {
        mPending = false;
        node = mParent->Current();
    }
    else
    {
        node = mParent->Next();
    }
    if (node)
    {
        if (node->IsStartTag())
            ++mDepth;
        else if (node->IsEndTag())
            --mDepth;
    }
    return node;
}

XMLElement* XMLElementReader::Current()
{
    return mParent->Current();
}

float XMLElementReader::GetProgress()
{
    return 0.5f;
}

int XMLElementReader::GetLine()
{
    return mParent->GetLine();
}

std::wstring& XMLElementReader::GetName(std::wstring& out)
{
    return mParent->GetName(out);
}
} // namespace Corvane
