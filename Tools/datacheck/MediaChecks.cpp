// Pictures, fonts and sounds: every file a manifest names is where the engine looks for it, and
// every sampled sound decodes.
#include "Check.h"

#include "FileLocation.h"
#include "Framework/ResourceFiles.h"
#include "Graphics/ImagePattern.h"
#include "Stream.h"
#include "StreamUtil.h"

#include <sndfile.h>

#include <cstring>

namespace Corvane::DataCheck
{
namespace
{
// The engine's search orders (the image loader's and the audio platform's).
const std::vector<const wchar_t*> kImageExtensions = {L".gif", L".jpg", L".png"};
const std::vector<const wchar_t*> kSoundExtensions = {L".ogg", L".mp3", L".wav", L".aif", L".mod", L".s3m",
                                                      L".xm",  L".it",  L".mo3", L".mtm", L".umx"};
// Tracker modules: found, but not decoded here.
constexpr std::size_t kFirstModule = 4;

std::string ExtensionList(const std::vector<const wchar_t*>& extensions)
{
    std::string list;
    for (const wchar_t* extension : extensions)
        list += (list.empty() ? "" : ", ") + Narrow(extension);
    return list;
}

// The first extension under which the engine finds name, or -1.
int FindFile(const std::wstring& name, const std::vector<const wchar_t*>& extensions)
{
    for (std::size_t i = 0; i < extensions.size(); ++i)
    {
        FileLocation location;
        if (!MakeResourceLocation(name, extensions[i], location))
            return -1;
        if (ResourceStream(OpenResourceStream(location)))
            return static_cast<int>(i);
    }
    return -1;
}

// libsndfile reading from memory.
struct MemoryFile
{
    const std::uint8_t* data;
    sf_count_t size;
    sf_count_t position = 0;
};

SF_VIRTUAL_IO MemoryIO()
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* user) { return static_cast<MemoryFile*>(user)->size; };
    io.seek = [](sf_count_t offset, int whence, void* user) {
        MemoryFile& file = *static_cast<MemoryFile*>(user);
        const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? file.position : file.size;
        file.position = std::clamp<sf_count_t>(base + offset, 0, file.size);
        return file.position;
    };
    io.read = [](void* out, sf_count_t count, void* user) {
        MemoryFile& file = *static_cast<MemoryFile*>(user);
        const sf_count_t n = std::min(count, file.size - file.position);
        std::memcpy(out, file.data + file.position, std::size_t(n));
        file.position += n;
        return n;
    };
    io.write = [](const void*, sf_count_t, void*) { return sf_count_t(0); };
    io.tell = [](void* user) { return static_cast<MemoryFile*>(user)->position; };
    return io;
}

// Empty when the file decodes to at least one sample, else why not.
std::string DecodeProblem(const std::wstring& name, const wchar_t* extension)
{
    FileLocation location;
    MakeResourceLocation(name, extension, location);
    const ResourceStream stream(OpenResourceStream(location));
    if (!stream)
        return "cannot be opened";
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(*stream, storage);
    MemoryFile file{bytes.data, static_cast<sf_count_t>(bytes.size)};
    SF_VIRTUAL_IO io = MemoryIO();
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, &file);
    if (!sound)
        return std::string("does not decode: ") + sf_strerror(nullptr);
    std::vector<float> frames(std::size_t(info.channels) * 4096);
    sf_count_t total = 0;
    for (sf_count_t read; (read = sf_readf_float(sound, frames.data(), 4096)) > 0;)
        total += read;
    const int error = sf_error(sound);
    sf_close(sound);
    if (error != SF_ERR_NO_ERROR)
        return std::string("does not decode: ") + sf_error_number(error);
    return total > 0 ? "" : "holds no sound";
}

class MediaFilesCheck final : public Check
{
public:
    std::string Name() const override { return "picture, font and sound files"; }

    void Run(Context& context) override
    {
        for (const Declaration& declaration : context.Index().Declarations())
        {
            const std::wstring& kind = declaration.Kind();
            if (kind == L"image" || kind == L"filmstrip")
                CheckPicture(context, declaration, declaration.element->Text(L"src"));
            else if (kind == L"imagelist")
                CheckImageList(context, declaration);
            else if (kind == L"font")
                CheckFont(context, declaration);
            else if (kind == L"sound")
                CheckSound(context, declaration, *declaration.element);
            else if (kind == L"randomsound")
                for (const DataElement* sound : declaration.element->ChildrenNamed(L"sound"))
                    CheckSound(context, declaration, *sound);
        }
    }

private:
    static std::string Title(const Declaration& declaration)
    {
        std::string words = KindWords(declaration.Kind());
        words = words.substr(words.find(' ') + 1);
        return words + " '" + declaration.name.c_str() + "'";
    }

    void CheckPicture(Context& context, const Declaration& declaration, const std::wstring& src)
    {
        if (src.empty())
            context.Problem(declaration, Title(declaration) + " has no src");
        else if (FindFile(src, kImageExtensions) < 0)
            context.Problem(declaration, Title(declaration) + ": picture '" + Narrow(src) + "' not found (looked for " +
                                             ExtensionList(kImageExtensions) + ")");
    }

    void CheckImageList(Context& context, const Declaration& declaration)
    {
        const DataElement& element = *declaration.element;
        if (element.Has(L"pattern"))
        {
            const ImagePattern pattern(element.Text(L"pattern"), element.node.GetIntAttribute(L"first", 0),
                                       element.node.GetIntAttribute(L"last", ImagePattern::kOpenEnd));
            const int found =
                pattern.Walk([](const std::wstring& file) { return FindFile(file, kImageExtensions) >= 0; });
            if (found == 0)
                context.Problem(declaration, Title(declaration) + ": no picture matches the pattern '" +
                                                 Narrow(element.Text(L"pattern")) + "'");
            else if (element.Has(L"last"))
            {
                // The engine ends a sequence at its first gap above index 0: a missing middle
                // picture silently shortens the list.
                const int first = std::max(element.node.GetIntAttribute(L"first", 0), 1);
                const int last = element.node.GetIntAttribute(L"last", 0);
                for (int index = first; index <= last && index < first + ImagePattern::kMaxIndices; ++index)
                    if (FindFile(pattern.GetName(index), kImageExtensions) < 0)
                    {
                        context.Problem(declaration, Title(declaration) + ": picture '" +
                                                         Narrow(pattern.GetName(index)) +
                                                         "' not found, so the list stops short of its last index " +
                                                         std::to_string(last));
                        break;
                    }
            }
        }
        for (const DataElement& child : element.children)
        {
            if (child.Tag() != L"image")
                context.Problem(*declaration.manifest, child,
                                Title(declaration) + ": a '" + Narrow(child.Tag()) +
                                    "' is no image: the list fails whole");
            else
                CheckPicture(context, declaration, child.Text(L"src"));
        }
    }

    void CheckFont(Context& context, const Declaration& declaration)
    {
        const std::wstring src = declaration.element->Text(L"src");
        CheckPicture(context, declaration, src);
        if (!src.empty() && FindFile(src, {L".txt"}) < 0)
            context.Problem(declaration, Title(declaration) + ": metrics '" + Narrow(src) + ".txt' not found");
    }

    void CheckSound(Context& context, const Declaration& declaration, const DataElement& element)
    {
        const std::wstring src = element.Text(L"src");
        if (src.empty())
        {
            context.Problem(*declaration.manifest, element, Title(declaration) + " has no src");
            return;
        }
        const int found = FindFile(src, kSoundExtensions);
        if (found < 0)
        {
            context.Problem(*declaration.manifest, element,
                            Title(declaration) + ": sound file '" + Narrow(src) + "' not found (looked for " +
                                ExtensionList(kSoundExtensions) + ")");
            return;
        }
        if (std::size_t(found) >= kFirstModule)
            return;
        const std::string problem = DecodeProblem(src, kSoundExtensions[std::size_t(found)]);
        if (!problem.empty())
            context.Problem(*declaration.manifest, element,
                            Title(declaration) + ": " + Narrow(src) + Narrow(kSoundExtensions[std::size_t(found)]) +
                                " " + problem);
    }
};

// A sound list finds its sounds when it is read: each must be a sound read before it.
class SoundListCheck final : public Check
{
public:
    std::string Name() const override { return "sound lists"; }

    void Run(Context& context) override
    {
        for (const Declaration* list : context.Index().OfKind(L"soundlist"))
            for (const DataElement* entry : list->element->ChildrenNamed(L"sound"))
                context.Expect(*list->manifest, *entry,
                               "sound list '" + std::string(list->name.c_str()) + "' event '" +
                                   Narrow(entry->Text(L"event")) + "'",
                               entry->Text(L"src"), {L"sound", L"randomsound"}, true);
    }
};
} // namespace

std::unique_ptr<Check> MakeSoundListCheck()
{
    return std::make_unique<SoundListCheck>();
}

std::unique_ptr<Check> MakeMediaFilesCheck()
{
    return std::make_unique<MediaFilesCheck>();
}
} // namespace Corvane::DataCheck
