// Feeds arbitrary bytes, read as XML, to record population: every "Dish" or "Garnish" element (the
// record types of the record binding tests, which use every member kind) is populated, every
// other record on the previous successful one of its type as template. Beyond "no crash, no hang,
// only LoadError and XMLError": a population that succeeds has read exactly its element, up to
// and including its end tag (or to the end of a document cut off inside it), and one that fails
// leaves the element's remainder to its reader.
#include "MemoryStream.h"
#include "XMLElementReader.h"
#include "XMLError.h"
#include "XMLReader.h"
#include "simplesettings/LoadError.h"
#include "simplesettings/TestRecords.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace Corvane;
using namespace SettingsTesting;

namespace
{
// Passes the document's nodes on and counts the depth of what it passed, from the record
// element's start tag, which the document has already given (depth 1). Reading past the
// element's end tag is a fault.
class DepthCounter : public IXMLReader
{
public:
    explicit DepthCounter(IXMLReader& document) : mDocument(document) {}

    bool AtEnd() override { return mDocument.AtEnd(); }
    XMLElement* Next() override
    {
        if (mDepth <= 0)
            std::abort();
        XMLElement* node = mDocument.Next();
        if (node && node->IsStartTag())
            ++mDepth;
        else if (node && node->IsEndTag())
            --mDepth;
        return node;
    }
    XMLElement* Current() override { return mDocument.Current(); }
    float GetProgress() override { return mDocument.GetProgress(); }
    int GetLine() override { return mDocument.GetLine(); }
    std::wstring& GetName(std::wstring& out) override { return mDocument.GetName(out); }
    int GetDepth() const { return mDepth; }

private:
    IXMLReader& mDocument;
    int mDepth = 1;
};

// Populates one record of the element reader stands on; the previous success is the template of
// every other record.
template <typename Record>
void PopulateOne(const SimpleSettings::SettingsDescriptor<Record>& descriptor, IXMLReader& reader,
                 std::optional<Record>& previous, int& count)
{
    const XMLElement element = *reader.Current();
    DepthCounter counter(reader);
    XMLElementReader elementReader(&counter);
    Record record{};
    const Record* templ = (previous && ++count % 2 == 0) ? &*previous : nullptr;
    try
    {
        descriptor.PopulateDataInstance(element, elementReader, record, templ);
    }
    catch (const SimpleSettings::LoadError&)
    {
        while (!elementReader.AtEnd())
            elementReader.Next();
        return;
    }
    // Read exactly to its own end tag, unless the document was cut off inside it.
    if (counter.GetDepth() != 0 && !reader.AtEnd())
        std::abort();
    previous = record;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryStream source(L"fuzz.xml");
    source.Write(data, static_cast<unsigned>(size));
    source.Seek(IStream::kFromStart, 0);
    std::optional<Dish> dish;
    std::optional<Garnish> garnish;
    int count = 0;
    try
    {
        XMLReader reader(source);
        while (!reader.AtEnd())
        {
            const XMLElement* node = reader.Next();
            if (!node || !node->IsStartTag())
                continue;
            if (node->GetName() == L"Dish")
                PopulateOne(gDishDescriptor, reader, dish, count);
            else if (node->GetName() == L"Garnish")
                PopulateOne(gGarnishDescriptor, reader, garnish, count);
        }
    }
    catch (const XMLError&)
    {
    }
    return 0;
}
