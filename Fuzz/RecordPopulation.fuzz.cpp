// Feeds arbitrary bytes, read as XML, to record population: every element named after a record type
// (the game's records, and "Dish" and "Garnish" of the record binding tests, which use every member
// kind) is populated, every other record on the previous successful one of its type as template. Beyond "no crash, no hang,
// only LoadError and XMLError": a population that succeeds has read exactly its element, up to
// and including its end tag (or to the end of a document cut off inside it), and one that fails
// leaves the element's remainder to its reader.
#include "MemoryStream.h"
#include "XMLElementReader.h"
#include "XMLError.h"
#include "XMLReader.h"
#include "simplesettings/LoadError.h"
#include "Game/Data/GameRecordDescriptors.h"
#include "simplesettings/TestRecords.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>

using namespace Corvane;

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

// Populates records of one type from the element the reader stands on; the previous success is the
// template of every other record.
class Populator
{
public:
    virtual ~Populator() = default;
    virtual void PopulateOne(IXMLReader& reader) = 0;
};

template <typename Record> class RecordPopulator : public Populator
{
public:
    explicit RecordPopulator(const SimpleSettings::SettingsDescriptor<Record>& descriptor) : mDescriptor(descriptor) {}

    void PopulateOne(IXMLReader& reader) override
    {
        const XMLElement element = *reader.Current();
        DepthCounter counter(reader);
        XMLElementReader elementReader(&counter);
        Record record{};
        const Record* templ = (mPrevious && ++mCount % 2 == 0) ? &*mPrevious : nullptr;
        try
        {
            mDescriptor.PopulateDataInstance(element, elementReader, record, templ);
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
        mPrevious = record;
    }

private:
    const SimpleSettings::SettingsDescriptor<Record>& mDescriptor;
    std::optional<Record> mPrevious;
    int mCount = 0;
};

template <typename Record>
void Add(std::map<std::wstring, std::unique_ptr<Populator>>& populators, const wchar_t* tag,
         const SimpleSettings::SettingsDescriptor<Record>& descriptor)
{
    populators[tag] = std::make_unique<RecordPopulator<Record>>(descriptor);
}

std::map<std::wstring, std::unique_ptr<Populator>> MakePopulators()
{
    std::map<std::wstring, std::unique_ptr<Populator>> populators;
    Add(populators, L"Dish", SettingsTesting::gDishDescriptor);
    Add(populators, L"Garnish", SettingsTesting::gGarnishDescriptor);
    Add(populators, L"LevelDescriptor", gRecordDescriptor<LevelDescriptor>);
    Add(populators, L"EpisodeDescriptor", gRecordDescriptor<EpisodeDescriptor>);
    Add(populators, L"LevelProgressionData", gRecordDescriptor<LevelProgressionData>);
    Add(populators, L"CutscenePrompt", gRecordDescriptor<CutscenePrompt>);
    Add(populators, L"CutsceneData", gRecordDescriptor<CutsceneData>);
    Add(populators, L"RecipeStepData", gRecordDescriptor<RecipeStepData>);
    Add(populators, L"RecipeData", gRecordDescriptor<RecipeData>);
    Add(populators, L"MirelFlavorThought", gRecordDescriptor<MirelFlavorThought>);
    Add(populators, L"MirelComboThought", gRecordDescriptor<MirelComboThought>);
    Add(populators, L"LevelIntroData", gRecordDescriptor<LevelIntroData>);
    return populators;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryStream source(L"fuzz.xml");
    source.Write(data, static_cast<unsigned>(size));
    source.Seek(IStream::kFromStart, 0);
    const std::map<std::wstring, std::unique_ptr<Populator>> populators = MakePopulators();
    try
    {
        XMLReader reader(source);
        while (!reader.AtEnd())
        {
            const XMLElement* node = reader.Next();
            if (!node || !node->IsStartTag())
                continue;
            const auto populator = populators.find(node->GetName());
            if (populator != populators.end())
                populator->second->PopulateOne(reader);
        }
    }
    catch (const XMLError&)
    {
    }
    return 0;
}
