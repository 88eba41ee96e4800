// Fonts made in memory (TestFont.h) as resources, for tests that look fonts up by name:
//
//   <testfont name="Big" lineHeight="20" widthBase="9" spacing="0" spaceWidth="5" kerning="AV-2,VA-1"/>
//
// Every attribute is optional (TestFontSpec's defaults); "kerning" lists pairs as the two
// characters and the pixels added, "smooth" fades the glyphs in.
#pragma once

#include "Framework/IResourceFactory.h"
#include "Framework/ResourceWrapper.h"
#include "IXMLReader.h"
#include "Support/TestFont.h"

#include <cwchar>
#include <sstream>

namespace Corvane::Testing
{
class TestFontFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader*) override
    {
        TestFontSpec spec;
        spec.first = element->GetIntAttribute(L"first", spec.first);
        spec.last = element->GetIntAttribute(L"last", spec.last);
        spec.lineHeight = element->GetIntAttribute(L"lineHeight", spec.lineHeight);
        spec.spacing = element->GetIntAttribute(L"spacing", spec.spacing);
        spec.spaceWidth = element->GetIntAttribute(L"spaceWidth", spec.spaceWidth);
        spec.widthBase = element->GetIntAttribute(L"widthBase", spec.widthBase);
        spec.smooth = element->GetBoolAttribute(L"smooth", false);
        std::wstring kerning;
        std::wstringstream pairs(element->GetAttribute(kerning, L"kerning"));
        for (std::wstring pair; std::getline(pairs, pair, L',');)
            if (pair.size() > 2)
                spec.kerning.push_back({{int(pair[0]), int(pair[1])}, int(std::wcstol(pair.c_str() + 2, nullptr, 10))});
        return new ResourceWrapper<ImageFont>(manifest, name, element, std::move(*MakeTestFont(spec)));
    }
};
} // namespace Corvane::Testing
