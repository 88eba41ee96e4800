// Drawing of scene nodes: the per-node traversal step and the shared image drawing of sprite-like
// node types.
#include "Graphics/DrawingFunctions.h"
#include "Graphics/IImage.h"
#include "Graphics/Image.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/SceneNode.h"

#include <cmath>
#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

void SceneNode::Draw(const Vector2<float>&) {}

void SceneNode::DrawTree(const Vector2<float>& offset)
{
    mSignals.BeforeDraw(this);
    Draw(offset);
}

namespace
{
float AlignedPart(int align, float size)
{
    return align == SceneNode::kAlignMiddle ? size / 2 : align == SceneNode::kAlignRight ? size : 0.0f;
}

float Snap(float value)
{
    return std::floor(value + 0.5f);
}

// The scale pivot's shift: how far the top-left corner moves so that the pivot stays in place.
float ScaleShift(int align, float size, float scale)
{
    return align == SceneNode::kAlignMiddle  ? size / 2 - size * scale / 2
           : align == SceneNode::kAlignRight ? size - size * scale
                                             : 0.0f;
}

// Scaled and turned at once: the scaled rectangle is turned about its rotation pivot, and the
// image turned by the angle is stretched as the scaled rectangle stretches the image, around the
// turned rectangle's centre. Exact for even stretches; an uneven one stretches the turned picture
// along the screen's axes.
int DrawScaledRotatedImage(SceneNode& node, IImage* image, const Rect<float>& scaled, float angle,
                           const DrawState& state, ICanvas* canvas)
{
    const Vector2<float> pivot{scaled.x + AlignedPart(node.GetRotateHAlign(), scaled.width),
                               scaled.y + AlignedPart(node.GetRotateVAlign(), scaled.height)};
    const float cx = scaled.x + scaled.width / 2 - pivot.x;
    const float cy = scaled.y + scaled.height / 2 - pivot.y;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const Vector2<float> centre{pivot.x + cx * c - cy * s, pivot.y + cx * s + cy * c};

    Image* source = dynamic_cast<Image*>(image);
    if (!source)
        return 1;
    std::unique_ptr<Image> made;
    Image* turned = source->GetRotation(angle);
    if (!turned)
    {
        made = source->CreateRotated(angle);
        turned = made.get();
    }
    if (!turned)
        return 1;
    if (source->GetWidth() <= 0 || source->GetHeight() <= 0)
        return 1;
    // As unturned, the picture fills the node's scaled size.
    const float width = turned->GetWidth() * scaled.width / source->GetWidth();
    const float height = turned->GetHeight() * scaled.height / source->GetHeight();
    DrawState centred = state;
    centred.horizontalAlignment = kAlignLeft;
    centred.verticalAlignment = kAlignLeft;
    const Rect<int> destination(static_cast<int>(centre.x - width / 2), static_cast<int>(centre.y - height / 2),
                                static_cast<int>(width), static_cast<int>(height));
    return DrawImageInRect(turned, destination, centred, canvas);
}
} // namespace

DrawState NodeDrawState(SceneNode& node)
{
    DrawState state = GetRenderContext().state;
    if (node.IsClipRectUsed())
        state.clip = node.GetClipRect();
    return state;
}

Vector2<float> TextAnchor(SceneNode& node, const Vector2<float>& offset, int justify, bool snap)
{
    const Vector2<float> world = node.GetWorldPosition();
    float x = world.x + offset.x;
    float y = world.y + offset.y;
    if (justify == kAlignCenter)
        x = std::floor(x + node.GetWidth() * 0.5f);
    else if (justify == kAlignRight)
        x = std::floor(x + node.GetWidth());
    if (snap)
        return {Snap(x), Snap(y)};
    return {x, y};
}

void DrawNodeImage(SceneNode& node, IImage* image, const Vector2<float>& offset, bool snap)
{
    if (!image)
        return;
    DrawState state = NodeDrawState(node);
    state.tint = node.GetWorldColor();
    if (node.GetDrawFlag4())
        state.flags |= 4;
    if (node.GetDrawFlag8())
        state.flags |= 8;
    ICanvas* canvas = GetCurrentCanvas();

    const NodeState& world = node.GetWorldState();
    const float worldX = world.x;
    const float worldY = world.y;
    const Vector2<float> scale = node.GetWorldScale();
    const float orientation = node.GetWorldOrientation();
    const float width = node.GetWidth();
    const float height = node.GetHeight();

    if (scale.x == 1.0f && scale.y == 1.0f)
    {
        if (orientation != 0.0f)
        {
            float x = AlignedPart(node.GetRotateHAlign(), width) + worldX + offset.x;
            float y = AlignedPart(node.GetRotateVAlign(), height) + worldY + offset.y;
            if (snap)
            {
                x = Snap(x);
                y = Snap(y);
            }
            state.horizontalAlignment = node.GetRotateHAlign();
            state.verticalAlignment = node.GetRotateVAlign();
            DrawRotatedImage(image, x, y, orientation, state, canvas);
            return;
        }
        float x = worldX + offset.x;
        float y = worldY + offset.y;
        if (snap)
        {
            x = Snap(x);
            y = Snap(y);
        }
        DrawImage(image, x, y, state, canvas);
        return;
    }

    const Rect<float> scaled{worldX + ScaleShift(node.GetScaleHAlign(), width, scale.x) + offset.x,
                             worldY + ScaleShift(node.GetScaleVAlign(), height, scale.y) + offset.y, width * scale.x,
                             height * scale.y};
    if (orientation != 0.0f)
    {
        DrawScaledRotatedImage(node, image, scaled, orientation, state, canvas);
        return;
    }
    DrawImageInRect(image,
                    {static_cast<int>(scaled.x), static_cast<int>(scaled.y), static_cast<int>(scaled.width),
                     static_cast<int>(scaled.height)},
                    state, canvas);
}
