// Anything that can be drawn on. A canvas offers this root interface and a set of drawing
// interfaces (DrawingInterfaces.h) that callers ask for by name; the free drawing functions
// (DrawingFunctions.h) do the asking.
//
// Result codes of every drawing operation: 0 drawn (or nothing left after clipping where an
// operation says so), 1 nothing to draw (missing canvas, image or font, empty clip, zero
// opacity), -2 the canvas lacks the interface or an image has no rotated copy, other negative
// values a canvas failure.
#pragma once

#include "Graphics/Rect.h"
#include "Label.h"

namespace Corvane::Graphics
{
class ICanvas
{
public:
    static constexpr const char* kInterfaceName = "ICanvas";

    // The kind of canvas: "ImageCanvas", "ScreenCanvasD3D" or the software renderer's name.
    virtual Label GetName() = 0;
    // (0, 0, width, height) of the target.
    virtual const Rect<int>& GetBounds() = 0;
    // True and *out set to the interface named name (every canvas answers "ICanvas" with
    // itself); false and *out untouched when the canvas lacks it.
    virtual bool QueryInterface(Label name, void** out) = 0;

protected:
    // Owners destroy canvases through their concrete type.
    ~ICanvas() = default;
};

// The label of Interface's name, interned once (thread-safe first use).
template <typename Interface> Label InterfaceName()
{
    static const Label name(Interface::kInterfaceName);
    return name;
}

// The canvas's Interface, or null when the canvas is null or lacks it.
template <typename Interface> Interface* QueryCanvas(ICanvas* canvas)
{
    void* found = nullptr;
    if (!canvas || !canvas->QueryInterface(InterfaceName<Interface>(), &found))
        return nullptr;
    return static_cast<Interface*>(found);
}

// For a canvas's QueryInterface: when name is Interface's, stores self as it and answers true.
template <typename Interface> bool AnswerInterface(Label name, Interface* self, void** out)
{
    if (name != InterfaceName<Interface>())
        return false;
    *out = self;
    return true;
}
} // namespace Corvane::Graphics
