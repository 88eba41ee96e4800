// Image files are named without their extension: the loader finds the file as a GIF, JPEG or PNG
// (in that order) and takes its alpha from a grey "<name>_mask" file beside it when there is one.
// A name may carry folders ("Images/Kitchen/pot"); without them the file is looked for anywhere
// in partition 1. Nothing here throws: missing and broken files are reported on the debug output
// and give nothing. Loader thread (or any one thread at a time).
#pragma once

#include "FileLocation.h"
#include "Framework/IResourceFactory.h"
#include "Framework/ResourceFiles.h"
#include "Graphics/DecodedImage.h"

#include <string>
#include <vector>

namespace Corvane
{
class Image;

// Opens name.gif, else name.jpg, else name.png, and sets location to the one that opened. Null,
// after "Image <name> was not found.", when none does.
ResourceStream FindImageFile(const std::wstring& name, FileLocation& location);
// Opens name_mask.gif, else .png, else .jpg; null, silently, when none does.
ResourceStream FindImageMaskFile(const std::wstring& name, FileLocation& location);
// Whether any of the files FindImageFile tries is there; reports nothing.
bool IsImageFileAvailable(const std::wstring& name);

// The download records of an image's files: name + ".jpg", ".gif" or ".png", and name + "_mask"
// + ".gif", ".png" or ".jpg"; any one candidate of a record stands for the file.
ResourceDependency ImageFileDependency(const std::wstring& name);
ResourceDependency ImageMaskFileDependency(const std::wstring& name);
// Appends both records of name, as every image-based resource does.
void AddImageDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring& name);

// A new image loaded from the files of name (Image::LoadFromFile), or null; the caller owns it.
Image* LoadImage(const std::wstring& name);

namespace Internal
{
// The pixels of name's file with its mask applied; empty when there is no file or it cannot be
// decoded.
DecodedImage LoadImageFile(const std::wstring& name);

// What turns the files LoadImageFile found into pixels: DecodeImageFile unless replaced. A test
// process that starts the engine again and again puts in one that keeps what it has decoded.
using ImageFileDecoder = DecodedImage (*)(const std::wstring& name, IStream& image, const std::wstring& extension,
                                          IStream* mask, const std::wstring& maskExtension);
// Null puts DecodeImageFile back. Not while a loader thread loads.
void SetImageFileDecoder(ImageFileDecoder decoder);
} // namespace Internal
} // namespace Corvane
