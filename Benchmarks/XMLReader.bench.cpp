// Reading a 5 MB resource-manifest-like document with the engine's XML reader against expat (the
// peer), both from bytes already in memory. Throughput is reported as bytes per second:
//   build-rel/Benchmarks/xml_reader_benchmark --benchmark_min_time=2
// Each side walks every node and counts start tags and attributes so neither skips work.
#include "XMLReader.h"
#include "MemoryStream.h"

#include <benchmark/benchmark.h>
#include <expat.h>

#include <random>
#include <string>

namespace
{
constexpr std::size_t kDocumentSize = 5 * 1024 * 1024;

// Resource declarations as a manifest holds them, with some comments, nested layouts, text with
// entities and non-ASCII strings.
const std::string& Manifest()
{
    static const std::string document = [] {
        std::mt19937 random(42);
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<resources>\r\n";
        for (int i = 0; xml.size() < kDocumentSize; ++i)
        {
            const std::string n = std::to_string(i);
            switch (random() % 8)
            {
            case 0:
                xml += "  <image name=\"Kitchen_Item" + n + "\" file=\"Images/Kitchen/item" + n + "\" x=\"" +
                       std::to_string(random() % 800) + "\" y=\"" + std::to_string(random() % 600) +
                       "\" alpha=\"true\"/>\r\n";
                break;
            case 1:
                xml += "  <imagelist name=\"Bins" + n +
                       "\" file=\"Images/bins\" rows=\"2\" columns=\"8\" fps=\"12.5\" "
                       "mode=\"loop\"/>\r\n";
                break;
            case 2: xml += "  <sound name=\"Sizzle" + n + "\" file=\"Sounds/sizzle\" category=\"Effect\"/>\r\n"; break;
            case 3:
                xml += "  <string name=\"Tip" + n +
                       "\">Drag the ingredients onto the station &amp; keep the flame up &#8212; "
                       "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 needs &lt;3&gt; eggs.</string>\r\n";
                break;
            case 4: xml += "  <!-- station " + n + " tuning values follow -->\r\n"; break;
            case 5:
                xml += "  <float name=\"Station" + n + "_Speed\" value=\"" + std::to_string(random() % 1000) +
                       ".25\"/>\r\n  <int name=\"Station" + n + "_Score\" value=\"" + std::to_string(random() % 5000) +
                       "\"/>\r\n";
                break;
            case 6:
                xml +=
                    "  <layout name=\"Popup" + n +
                    "\">\r\n    <sprite name=\"Back\" image=\"PopupBack\" x=\"10\" y=\"20\"/>\r\n"
                    "    <text name=\"Title\" font=\"Big\" color=\"#FFEEDDCC\" justify=\"center\">Well done!</text>\r\n"
                    "    <button name=\"Ok\" image=\"ButtonOk\" hotkey=\"VK_RETURN\"/>\r\n  </layout>\r\n";
                break;
            default: xml += "  <alias name=\"A" + n + "\" target=\"Kitchen_Item" + n + "\"/>\r\n"; break;
            }
        }
        xml += "</resources>\r\n";
        return xml;
    }();
    return document;
}

struct Counts
{
    long long elements = 0;
    long long attributes = 0;
    long long textNodes = 0;
};

void BM_CorvaneXMLReader(benchmark::State& state)
{
    const std::string& document = Manifest();
    Corvane::MemoryStream source(L"manifest.xml");
    source.Write(document.data(), static_cast<unsigned>(document.size()));
    Counts counts;
    for (auto _ : state)
    {
        source.Seek(Corvane::IStream::kFromStart, 0);
        Corvane::XMLReader reader(source);
        while (!reader.AtEnd())
        {
            const Corvane::XMLElement* node = reader.Next();
            if (node->IsStartTag())
            {
                ++counts.elements;
                counts.attributes += static_cast<long long>(node->GetAttributes().size());
            }
            else if (node->IsText())
            {
                ++counts.textNodes;
            }
        }
        benchmark::DoNotOptimize(counts);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
    state.counters["elements"] = static_cast<double>(counts.elements) / static_cast<double>(state.iterations());
}

void XMLCALL OnStart(void* data, const XML_Char*, const XML_Char** attributes)
{
    auto* counts = static_cast<Counts*>(data);
    ++counts->elements;
    for (; *attributes; attributes += 2)
        ++counts->attributes;
}

void XMLCALL OnEnd(void*, const XML_Char*) {}

void XMLCALL OnText(void* data, const XML_Char*, int)
{
    ++static_cast<Counts*>(data)->textNodes;
}

void BM_Expat(benchmark::State& state)
{
    const std::string& document = Manifest();
    Counts counts;
    for (auto _ : state)
    {
        XML_Parser parser = XML_ParserCreate("UTF-8");
        XML_SetUserData(parser, &counts);
        XML_SetElementHandler(parser, OnStart, OnEnd);
        XML_SetCharacterDataHandler(parser, OnText);
        if (XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) != XML_STATUS_OK)
            state.SkipWithError("expat rejected the document");
        XML_ParserFree(parser);
        benchmark::DoNotOptimize(counts);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
    state.counters["elements"] = static_cast<double>(counts.elements) / static_cast<double>(state.iterations());
}
} // namespace

BENCHMARK(BM_CorvaneXMLReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Expat)->Unit(benchmark::kMillisecond);
