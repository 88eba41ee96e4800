#include "SceneGraph/StyledText.h"

#include "Debug.h"
#include "MemoryStream.h"
#include "SceneGraph/SceneText.h"
#include "Utf8.h"
#include "XMLError.h"
#include "XMLReader.h"

using namespace Corvane;

namespace
{
// Text that the XML reader would give back unchanged: no tag, no entity, and only characters that
// survive the trip through UTF-8 (no NUL, no surrogate). Scores and timers are such text.
bool ReadsAsItself(const std::wstring& markup)
{
    for (wchar_t c : markup)
    {
        const auto code = static_cast<std::uint32_t>(c);
        if (c == L'<' || c == L'&' || code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
    }
    return true;
}

// A copy of the enclosing style with the element's attributes laid over it.
TextStyle StyleOf(const XMLElement& element, const TextStyle& enclosing)
{
    TextStyle style = enclosing;
    std::wstring value;
    if (element.HasAttribute(L"color"))
        style.color = ParseColor(element.GetAttribute(value, L"color"));
    if (element.HasAttribute(L"bgColor"))
        style.bgColor = ParseColor(element.GetAttribute(value, L"bgColor"));
    if (element.HasAttribute(L"font"))
        style.font = Label(element.GetAttribute(value, L"font"));
    if (element.HasAttribute(L"textMode"))
        style.textMode = ParseTextMode(element.GetAttribute(value, L"textMode"));
    return style;
}
} // namespace

std::wstring EscapeMarkup(std::wstring_view text)
{
    std::wstring escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text)
    {
        switch (c)
        {
        case L'&': escaped += L"&amp;"; break;
        case L'"': escaped += L"&quot;"; break;
        case L'<': escaped += L"&lt;"; break;
        case L'>': escaped += L"&gt;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

namespace StyledTextGraphics
{
StyleRunList ParseStyleRunList(const std::wstring& markup, const TextStyle& base)
{
    if (ReadsAsItself(markup))
    {
        if (markup.empty())
            return {};
        return {{base, markup, nullptr}};
    }

    // The markup becomes one document: its text and "style" elements are the root's content.
    std::string document = "<dummy>";
    document.reserve(markup.size() + 16);
    for (wchar_t c : markup)
        Utf8::Append(document, static_cast<std::uint32_t>(c));
    document += "</dummy>";
    MemoryStream stream(L"StyleRunList temp");
    stream.Write(document.data(), static_cast<unsigned>(document.size()));
    stream.Seek(IStream::kFromStart, 0);

    StyleRunList runs;
    std::vector<TextStyle> styles{base};
    bool runOpen = false;
    try
    {
        XMLReader reader(stream);
        while (!reader.AtEnd())
        {
            const XMLElement& node = *reader.Next();
            if (node.IsText())
            {
                // Text on both sides of another element's tags stays one run.
                if (!runOpen)
                    runs.push_back({styles.back(), {}, nullptr});
                runs.back().text += node.GetName();
                runOpen = true;
            }
            else if (node.GetName() == L"style")
            {
                if (node.IsStartTag())
                    styles.push_back(StyleOf(node, styles.back()));
                else if (styles.size() > 1)
                    styles.pop_back(); // a stray end tag would close the base style
                runOpen = false;
            }
        }
    }
    catch (const XMLError& error)
    {
        DebugPrint("StyledTextGraphics::Graphics::ComputeStyleRuns: There is an error in the XML style data: %s\n",
                   error.what());
    }
    return runs;
}
} // namespace StyledTextGraphics
