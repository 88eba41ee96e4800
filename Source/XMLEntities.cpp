#include "XMLEntities.h"

#include "TextConversion.h"
#include "XMLCharacters.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <unordered_map>

namespace Corvane::Internal
{
namespace
{
struct Entity
{
    const wchar_t* name;
    wchar_t code;
};

constexpr Entity kEntities[] = {
    {L"quot", 34},     {L"apos", 39},     {L"amp", 38},      {L"lt", 60},       {L"gt", 62},       {L"nbsp", 160},
    {L"iexcl", 161},   {L"curren", 164},  {L"cent", 162},    {L"pound", 163},   {L"yen", 165},     {L"brvbar", 166},
    {L"sect", 167},    {L"uml", 168},     {L"copy", 169},    {L"ordf", 170},    {L"laquo", 171},   {L"not", 172},
    {L"shy", 173},     {L"reg", 174},     {L"trade", 8482},  {L"macr", 175},    {L"deg", 176},     {L"plusmn", 177},
    {L"sup2", 178},    {L"sup3", 179},    {L"acute", 180},   {L"micro", 181},   {L"para", 182},    {L"middot", 183},
    {L"cedil", 184},   {L"sup1", 185},    {L"ordm", 186},    {L"raquo", 187},   {L"frac14", 188},  {L"frac12", 189},
    {L"frac34", 190},  {L"iquest", 191},  {L"times", 215},   {L"divide", 247},  {L"Agrave", 192},  {L"Aacute", 193},
    {L"Acirc", 194},   {L"Atilde", 195},  {L"Auml", 196},    {L"Aring", 197},   {L"AElig", 198},   {L"Ccedil", 199},
    {L"Egrave", 200},  {L"Eacute", 201},  {L"Ecirc", 202},   {L"Euml", 203},    {L"Igrave", 204},  {L"Iacute", 205},
    {L"Icirc", 206},   {L"Iuml", 207},    {L"ETH", 208},     {L"Ntilde", 209},  {L"Ograve", 210},  {L"Oacute", 211},
    {L"Ocirc", 212},   {L"Otilde", 213},  {L"Ouml", 214},    {L"Oslash", 216},  {L"Ugrave", 217},  {L"Uacute", 218},
    {L"Ucirc", 219},   {L"Uuml", 220},    {L"Yacute", 221},  {L"THORN", 222},   {L"szlig", 223},   {L"agrave", 224},
    {L"aacute", 225},  {L"acirc", 226},   {L"atilde", 227},  {L"auml", 228},    {L"aring", 229},   {L"aelig", 230},
    {L"ccedil", 231},  {L"egrave", 232},  {L"eacute", 233},  {L"ecirc", 234},   {L"euml", 235},    {L"igrave", 236},
    {L"iacute", 237},  {L"icirc", 238},   {L"iuml", 239},    {L"eth", 240},     {L"ntilde", 241},  {L"ograve", 242},
    {L"oacute", 243},  {L"ocirc", 244},   {L"otilde", 245},  {L"ouml", 246},    {L"oslash", 248},  {L"ugrave", 249},
    {L"uacute", 250},  {L"ucirc", 251},   {L"uuml", 252},    {L"yacute", 253},  {L"thorn", 254},   {L"yuml", 255},
    {L"OElig", 338},   {L"oelig", 339},   {L"Scaron", 352},  {L"scaron", 353},  {L"Yuml", 376},    {L"circ", 710},
    {L"tilde", 732},   {L"ensp", 8194},   {L"emsp", 8195},   {L"thinsp", 8201}, {L"zwnj", 8204},   {L"zwj", 8205},
    {L"lrm", 8206},    {L"rlm", 8207},    {L"ndash", 8211},  {L"mdash", 8212},  {L"lsquo", 8216},  {L"rsquo", 8217},
    {L"sbquo", 8218},  {L"ldquo", 8220},  {L"rdquo", 8221},  {L"bdquo", 8222},  {L"dagger", 8224}, {L"Dagger", 8225},
    {L"hellip", 8230}, {L"permil", 8240}, {L"lsaquo", 8249}, {L"rsaquo", 8250}, {L"euro", 8364},
};
static_assert(std::size(kEntities) == 131);

// Names longer than this are in no table; such a reference is kept as unknown.
constexpr std::size_t kMaxEntityName = 63;

const std::unordered_map<std::wstring_view, wchar_t>& EntityMap()
{
    // Built once per process; the initialisation of a local static is thread-safe.
    static const std::unordered_map<std::wstring_view, wchar_t> map = [] {
        std::unordered_map<std::wstring_view, wchar_t> m;
        for (const Entity& entity : kEntities)
            m.emplace(entity.name, entity.code);
        return m;
    }();
    return map;
}

// Numeric references are 16-bit units in files written by 16-bit programs: join the halves of a
// pair into their code point and replace a lone half, so wide text holds only code points.
void JoinSurrogates(std::wstring& text)
{
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size();)
        text[out++] = static_cast<wchar_t>(ReadCodePoint(text.data(), text.size(), i));
    text.resize(out);
}

// The character of a numeric reference's value: a code point beyond the 16-bit range is kept
// whole (wide text holds code points); other values are cut to 16 bits.
wchar_t NumericCharacter(int value)
{
    const auto v = static_cast<std::uint32_t>(value);
    if (v >= 0x10000 && v <= kMaxCodePoint)
        return static_cast<wchar_t>(v);
    return static_cast<wchar_t>(v & 0xFFFF);
}
} // namespace

wchar_t LookUpEntity(const std::wstring& name)
{
    const auto& map = EntityMap();
    const auto it = map.find(name);
    return it == map.end() ? 0 : it->second;
}

void DecodeReferences(std::wstring& text, std::size_t from)
{
    std::size_t amp = text.find(L'&', from);
    if (amp == std::wstring::npos)
        return;

    std::wstring decoded(text, from, amp - from);
    bool surrogates = false;
    const std::size_t size = text.size();
    std::size_t i = amp;
    while (i < size)
    {
        if (text[i] != L'&')
        {
            decoded += text[i++];
            continue;
        }
        ++i;
        const std::size_t semicolon = text.find(L';', i);
        const std::size_t end = semicolon == std::wstring::npos ? size : semicolon;
        if (i < size && text[i] == L'#')
        {
            ++i;
            int base = 10;
            if (i < size && text[i] == L'x')
            {
                base = 16;
                ++i;
            }
            // The parser stops at the first character that is no digit or letter (here the ';');
            // text is terminated, so it cannot run off the end.
            const wchar_t c = NumericCharacter(ParseInt(text.c_str() + std::min(i, size), base));
            surrogates =
                surrogates || IsHighSurrogate(static_cast<CodePoint>(c)) || IsLowSurrogate(static_cast<CodePoint>(c));
            decoded += c;
        }
        else
        {
            const std::wstring name(text, i, end - i);
            const wchar_t c = name.size() <= kMaxEntityName ? LookUpEntity(name) : 0;
            if (c != 0)
                decoded += c;
            else
                decoded.append(L"!").append(name).append(L"!");
        }
        i = end == size ? size : end + 1;
    }
    if (surrogates)
        JoinSurrogates(decoded);
    text.replace(from, std::wstring::npos, decoded);
}
} // namespace Corvane::Internal
