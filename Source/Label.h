// Interned names. A Label is a handle to one entry of a process-wide table of 8-bit texts; names
// that differ only in ASCII case share one entry, which keeps the case of its first registration.
// Labels compare by handle in constant time, so containers keyed by labels are ordered by handle,
// never alphabetically.
//
// Interning may happen on any thread (one lock guards the table). Reading a label's text needs no
// lock: an interned text never moves or changes until the table is torn down at shutdown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace Corvane
{
class Label
{
public:
    constexpr Label() noexcept = default;
    // Interns name (see Intern).
    explicit Label(const char* name) : mText(Intern(name).mText) {}
    explicit Label(const std::string& name) : Label(name.c_str()) {}
    // Narrows (code points of 128 and above become '?') and interns.
    explicit Label(const std::wstring& name);
    explicit Label(const wchar_t* name);

    // The one interning entry point: null gives the null label.
    static Label Intern(const char* name);
    static Label FromString(const std::string& text) { return Intern(text.c_str()); }
    // printf into a 4,096-byte buffer (longer output is cut), then intern.
    static Label Format(const char* printfFormat, ...) __attribute__((format(printf, 1, 2)));
    // wide printf into 4,096 wide characters (longer output is cut), then as Label(const wchar_t*).
    static Label FormatWide(const wchar_t* printfFormat, ...);

    // The interned text; null for the null label.
    const char* c_str() const noexcept { return mText; }
    const char* GetText() const noexcept { return mText; }
    bool IsNull() const noexcept { return mText == nullptr; }
    explicit operator bool() const noexcept { return mText != nullptr; }

    friend bool operator==(Label a, Label b) noexcept { return a.mText == b.mText; }
    friend bool operator!=(Label a, Label b) noexcept { return a.mText != b.mText; }
    friend bool operator<(Label a, Label b) noexcept { return std::less<const char*>()(a.mText, b.mText); }

private:
    const char* mText = nullptr;
};

// Writes the label's name (nothing for the null label), so labels read naturally in messages and
// test output.
std::ostream& operator<<(std::ostream& stream, Label label);
std::wostream& operator<<(std::wostream& stream, Label label);

// Case-insensitive hash: 0 for null or empty; h = upper(c0), then h = h * 31 ^ upper(c).
std::uint32_t HashNoCase(const char* s);
std::uint32_t HashNoCaseWide(const wchar_t* s);
// Same length and equal after upper-casing each character.
bool EqualsNoCase(const wchar_t* a, const wchar_t* b);

// Frees the table and every interned text; labels held anywhere become invalid. The shutdown
// sequence calls it last but one.
void DestroyLabelTable();
} // namespace Corvane

template <> struct std::hash<Corvane::Label>
{
    std::size_t operator()(Corvane::Label label) const noexcept { return std::hash<const char*>()(label.c_str()); }
};
