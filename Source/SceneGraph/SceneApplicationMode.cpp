#include "SceneGraph/SceneApplicationMode.h"

#include "Debug.h"
#include "Framework/IEnable.h"
#include "Framework/IGraphicsPlatform.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/SceneLayout.h"

#include <algorithm>

using namespace Corvane;

SceneNode* SceneApplicationMode::NodeFromID(ObjectID id) const
{
    return id == kNoObject ? nullptr : dynamic_cast<SceneNode*>(Get(id));
}

SceneNode* SceneApplicationMode::GetRootNode() const
{
    // The root may have been removed by a handler; it is gone after the next update.
    return mRoot && Get(mRootID) == mRoot ? mRoot : nullptr;
}

SceneNode* SceneApplicationMode::GetCurrentRootNode()
{
    const auto* screen = dynamic_cast<SceneApplicationMode*>(GetCurrentApplicationMode());
    return screen ? screen->GetRootNode() : nullptr;
}

SceneNode* SceneApplicationMode::GetCaptureNode() const
{
    return dynamic_cast<SceneNode*>(GetCapture());
}

SceneNode* SceneApplicationMode::GetFocusNode() const
{
    return dynamic_cast<SceneNode*>(GetFocus());
}

void SceneApplicationMode::OnEnter()
{
    if (GetRootNode())
        return;
    mRoot = new SceneNode();
    mRootID = Add(mRoot);
}

SceneNode* SceneApplicationMode::InstantiateLayout(Label name, SceneNode* parent)
{
    const SceneLayout* layout = SceneLayout::Find(name);
    if (!layout)
    {
        DebugPrint("SceneApplicationMode: no scene layout named %s\n", name ? name.c_str() : "(none)");
        return nullptr;
    }
    return layout->Instantiate(parent ? parent : GetRootNode(), this);
}

void SceneApplicationMode::Update(float dt)
{
    ApplicationMode::Update(dt);
    if (SceneNode* root = GetRootNode())
        root->RefreshWorldTree(false);
    else
        mRoot = nullptr;
}

void SceneApplicationMode::Draw()
{
    if (SceneNode* root = GetRootNode())
    {
        mDrawWalk.clear();
        DrawSubtree(root);
    }
}

void SceneApplicationMode::DrawSubtree(SceneNode* node)
{
    node->DrawTree({0.0f, 0.0f});
    // Nodes are deleted only after an update, never while drawing, so the pointers stay valid; a
    // node that a draw handler moved away or removed is no longer this node's child and is not
    // drawn here.
    const std::size_t start = mDrawWalk.size();
    mDrawWalk.insert(mDrawWalk.end(), node->GetChildren().begin(), node->GetChildren().end());
    const std::size_t end = mDrawWalk.size();
    for (std::size_t i = start; i < end; ++i)
    {
        SceneNode* child = mDrawWalk[i];
        if (child->GetParent() == node)
            DrawSubtree(child);
    }
    mDrawWalk.resize(start);
}

void SceneApplicationMode::DrawUnderlay()
{
    // Only the hardware renderer blends cheaply enough to dim the whole screen.
    IGraphicsPlatform* graphics = IGraphicsPlatform::GetInstance();
    if (!graphics || (graphics->GetKind() & 2) == 0)
        return;
    Graphics::RenderContext context = Graphics::GetRenderContext();
    context.state.color = {0.0f, 0.0f, 0.0f, 0.5f};
    context.state.flags |= Graphics::kDrawBlend;
    Graphics::ScopedDrawState dimmed(context);
    Graphics::ICanvas* canvas = Graphics::GetCurrentCanvas();
    if (canvas)
        Graphics::FillRectI(canvas->GetBounds(), Graphics::GetRenderContext().state, canvas);
}

void SceneApplicationMode::CollectFocusable(SceneNode* node, std::vector<SceneNode*>& out)
{
    if (!node->IsWorldVisible())
        return; // nor can anything below it
    if (node->CanTakeFocus() && ObjectDatabase::CanTakeFocus(node))
        out.push_back(node);
    for (SceneNode* child : node->GetChildren())
        CollectFocusable(child, out);
}

void SceneApplicationMode::MoveFocus(bool backward)
{
    std::vector<SceneNode*> controls;
    if (SceneNode* root = GetRootNode())
        CollectFocusable(root, controls);
    if (controls.empty())
    {
        ObjectDatabase::MoveFocus(backward);
        return;
    }
    const auto at = std::find(controls.begin(), controls.end(), GetFocusNode());
    std::size_t next;
    if (at == controls.end())
        next = backward ? controls.size() - 1 : 0;
    else
    {
        const std::size_t index = static_cast<std::size_t>(at - controls.begin());
        next = backward ? (index + controls.size() - 1) % controls.size() : (index + 1) % controls.size();
    }
    SetFocus(controls[next]);
}
