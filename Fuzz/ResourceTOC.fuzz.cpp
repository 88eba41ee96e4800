// Feeds arbitrary bytes to the table-of-contents reader, then looks every entry up by its own
// name. Beyond "no crash, no hang, no read out of bounds": every name it accepts stays below its
// folder, a lookup only ever answers with an entry of the asked-for hash, and the checksum of the
// bytes is the same whether summed at once or in two pieces.
#include "Framework/ResourceTOC.h"
#include "Framework/ResourceChecksum.h"
#include "Framework/ResourceFiles.h"
#include "Label.h"
#include "RuntimeError.h"
#include "TextConversion.h"

#include <cstdint>
#include <cstdlib>

using namespace Corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try
    {
        const ResourceTOC table = ResourceTOC::Read(data, size);
        for (const TOCEntry& entry : table.GetEntries())
        {
            std::string narrow;
            Narrow::FromWide(narrow, entry.name);
            if (entry.name.size() >= size || !ResourceTOC::IsSafeName(narrow))
                std::abort();
            FileLocation location;
            if (!MakeResourceFileLocation(entry.name, location))
                continue;
            const TOCEntry* found = table.Find(location);
            const std::wstring key = std::wstring(location.GetName()) + location.GetExtension();
            if (found && found->hash != HashNoCaseWide(key.c_str()))
                std::abort();
        }
    }
    catch (const RuntimeError&)
    {
        // A refused table: what the reader must do with most inputs.
    }

    ResourceChecksum pieces;
    pieces.Add(data, size / 2);
    pieces.Add(data + size / 2, size - size / 2);
    if (pieces.Get() != ComputeChecksum(data, size))
        std::abort();
    return 0;
}
