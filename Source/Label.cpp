#include "Label.h"

#include "LabelTable.h"
#include "TextConversion.h"
#include "Threading.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <new>
#include <ostream>
#include <type_traits>

namespace Corvane
{
namespace
{
template <typename Char> std::uint32_t UpperUnit(Char c)
{
    return static_cast<std::uint32_t>(ToUpperAscii(static_cast<int>(static_cast<std::make_unsigned_t<Char>>(c))));
}

template <typename Char> std::uint32_t HashText(const Char* s)
{
    if (!s || !*s)
        return 0;
    std::uint32_t h = UpperUnit(*s);
    for (++s; *s; ++s)
        h = (h * 31u) ^ UpperUnit(*s);
    return h;
}

// The table lives in static storage without a destructor of its own, so labels stay readable
// while other static objects are destroyed; DestroyLabelTable frees it explicitly.
alignas(Internal::LabelTable) unsigned char gTableStorage[sizeof(Internal::LabelTable)];
Internal::LabelTable* gTable = nullptr;

// The lock is made by the first interning and never freed: static destructors may still intern.
std::once_flag gLockOnce;
IMutex* gLock = nullptr;

IMutex& TableLock()
{
    std::call_once(gLockOnce, [] { gLock = CreateMutex(); });
    return *gLock;
}
} // namespace

Label Label::Intern(const char* name)
{
    Label label;
    if (!name)
        return label;
    ScopedLock lock(TableLock());
    if (!gTable)
        gTable = new (gTableStorage) Internal::LabelTable();
    label.mText = gTable->Intern(name);
    return label;
}

Label::Label(const std::wstring& name)
{
    std::string narrow;
    Narrow::FromWide(narrow, name);
    mText = Intern(narrow.c_str()).mText;
}

Label::Label(const wchar_t* name) : Label(name ? Label(std::wstring(name)) : Label()) {}

Label Label::Format(const char* printfFormat, ...)
{
    char buffer[4096];
    va_list args;
    va_start(args, printfFormat);
    const int n = std::vsnprintf(buffer, sizeof buffer, printfFormat, args);
    va_end(args);
    if (n < 0)
        buffer[0] = '\0';
    return Intern(buffer);
}

Label Label::FormatWide(const wchar_t* printfFormat, ...)
{
    wchar_t buffer[4096];
    buffer[0] = 0;
    va_list args;
    va_start(args, printfFormat);
    // vswprintf gives -1 when the text does not fit; keep what it wrote, terminated.
    std::vswprintf(buffer, 4096, printfFormat, args);
    va_end(args);
    buffer[4095] = 0;
    return Label(buffer);
}

std::uint32_t HashNoCase(const char* s)
{
    return HashText(s);
}

std::uint32_t HashNoCaseWide(const wchar_t* s)
{
    return HashText(s);
}

bool EqualsNoCase(const wchar_t* a, const wchar_t* b)
{
    if (!a || !b)
        return a == b;
    if (std::wcslen(a) != std::wcslen(b))
        return false;
    for (; *a; ++a, ++b)
        if (ToUpperAscii(static_cast<int>(*a)) != ToUpperAscii(static_cast<int>(*b)))
            return false;
    return true;
}

std::ostream& operator<<(std::ostream& stream, Label label)
{
    if (label)
        stream << label.c_str();
    return stream;
}

std::wostream& operator<<(std::wostream& stream, Label label)
{
    // Label texts are 8-bit; each byte widens to the character of its code.
    if (label)
        for (const char* c = label.c_str(); *c; ++c)
            stream << static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return stream;
}

void DestroyLabelTable()
{
    ScopedLock lock(TableLock());
    if (gTable)
    {
        gTable->~LabelTable();
        gTable = nullptr;
    }
}
} // namespace Corvane
