// Typed read access, by name and with defaults, to the attributes of one XML element.
//
// The getters never fail: an absent attribute gives the caller's fallback; a present value that is
// no number reads as 0, and a value that is neither "true" nor "false" reads as the fallback.
// Names are case-sensitive ("Width" and "width" are two attributes). Numbers are read the same way
// whatever the process locale is.
#pragma once

#include <map>
#include <string>

namespace Corvane
{
// Ordered by plain code-unit comparison of the names.
using AttributeMap = std::map<std::wstring, std::wstring>;

class IAttributeContainer
{
public:
    virtual ~IAttributeContainer() = default;
    virtual const AttributeMap& GetAttributes() const = 0;
    virtual bool HasAttribute(const std::wstring& name) const = 0;
    // Leading white space is skipped; the word "true" or "false" (exact case) decides, and what
    // follows it is ignored. Any other text gives the fallback.
    virtual bool GetBoolAttribute(const std::wstring& name, const bool& fallback) const = 0;
    // Leading white space, sign, digits, fraction, exponent; no number gives 0.
    virtual float GetFloatAttribute(const std::wstring& name, const float& fallback) const = 0;
    // Leading white space, an optional sign and decimal digits; no digits give 0, values beyond
    // the int range are clamped to it.
    virtual int GetIntAttribute(const std::wstring& name, const int& fallback) const = 0;
    // The stored text (valid while the container lives unchanged), or fallback itself.
    virtual const wchar_t* GetStringAttribute(const std::wstring& name, const wchar_t* fallback) const = 0;
    // out = the stored text, or empty when absent; returns out.
    virtual std::wstring& GetAttribute(std::wstring& out, const std::wstring& name) const = 0;
};

class AttributeContainer : public IAttributeContainer
{
public:
    const AttributeMap& GetAttributes() const override { return mAttributes; }
    // For whoever fills the container (the XML reader).
    AttributeMap& GetAttributes() { return mAttributes; }

    bool HasAttribute(const std::wstring& name) const override;
    bool GetBoolAttribute(const std::wstring& name, const bool& fallback) const override;
    float GetFloatAttribute(const std::wstring& name, const float& fallback) const override;
    int GetIntAttribute(const std::wstring& name, const int& fallback) const override;
    const wchar_t* GetStringAttribute(const std::wstring& name, const wchar_t* fallback) const override;
    std::wstring& GetAttribute(std::wstring& out, const std::wstring& name) const override;

    // Sets (or replaces) one attribute.
    void SetAttribute(const std::wstring& name, const std::wstring& value) { mAttributes[name] = value; }

private:
    const std::wstring* Find(const std::wstring& name) const;

    AttributeMap mAttributes;
};

// The conversions behind the typed getters, for other readers of attribute-like texts.
bool ParseBoolText(const std::wstring& text, bool fallback);
float ParseFloatText(const std::wstring& text);
int ParseIntText(const std::wstring& text);
} // namespace Corvane
