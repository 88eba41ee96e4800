// A small screen of widget objects, as a program would write one: filled from a "layout" resource
// when it is entered, each child made by its element's object factory, and drawn in depth order
// over a plain fill of the layout's screen size. The object's name, place and depth come from
// attributes the factories leave alone: "name", "x" and "y" (added to the layout's offset), "w"
// and "h" (bounds; the object's own size when absent), "depth"; "text" sets the text of
// text-bearing objects in the screen's font once they are in place. Tab and the arrow keys move the keyboard focus;
// Escape, when no object takes it, ends the screen after its next frame. Every message the screen
// sees is logged as "<message> <sender's name>".
#pragma once

#include "Framework/ApplicationMode.h"
#include "Framework/IBounds.h"
#include "Framework/IDrawable.h"
#include "Framework/KeyboardFocusController.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/RenderContext.h"
#include "Widgets/FontComponent.h"
#include "Widgets/IText.h"
#include "Widgets/Layout.h"
#include "Widgets/ObjectFactory.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane::Testing
{
class WidgetScreen : public ApplicationMode
{
public:
    WidgetScreen(Label layout, Font* font, std::vector<std::string>& log) : mLayout(layout), mFont(font), mLog(log) {}

    void OnEnter() override { Build(); }
    void OnExit() override
    {
        if (onExit)
            onExit();
    }

    // Adds one object per child of the layout; children without a factory are left out.
    void Build()
    {
        const Layout* layout = ResourceManager::Get<Layout>(mLayout).Get();
        if (!layout)
            return;
        mScreenSize = {layout->GetScreenWidth(), layout->GetScreenHeight()};
        for (int i = 0; i < layout->GetChildCount(); ++i)
        {
            const AttributeContainer& attributes = layout->GetChildAttributes()[i];
            IObjectFactory* factory = ObjectFactory::Instance()->Find(layout->GetChildNames()[i]);
            if (!factory)
                continue;
            Object* object =
                factory->Create(Label(std::wstring(attributes.GetStringAttribute(L"name", L""))), attributes);
            Place(*object, attributes, layout->GetX(), layout->GetY());
            Add(object);
        }
        Add(new KeyboardFocusController);
        if (onBuilt)
            onBuilt(*this);
        Update(0.0f); // sorts the draw list
    }

    void Draw() override
    {
        Graphics::DrawState clear;
        clear.color = {0.15f, 0.2f, 0.3f, 1.0f};
        Graphics::FillRect({0, 0, mScreenSize.x, mScreenSize.y}, clear, Graphics::GetCurrentCanvas());
        for (const ObjectID id : GetDrawList())
            if (auto* drawable = dynamic_cast<IDrawable*>(Get(id)))
                drawable->Draw();
        if (mFinished)
            RequestQuit();
    }

    void OnMessage(const ObjectMessage& message) override
    {
        const Object* sender = Get(message.GetSender());
        const Label name = sender ? sender->GetName() : Label();
        mLog.push_back(std::string(message.GetName().c_str()) + " " + (name ? name.c_str() : "-"));
    }

    bool OnKeyDown(int key) override
    {
        if (ApplicationMode::OnKeyDown(key))
            return true;
        mFinished = mFinished || key == 27;
        return false;
    }

    std::function<void()> onExit;
    // Runs when the objects are added, to fill what the layout cannot (list items, tree nodes).
    std::function<void(WidgetScreen&)> onBuilt;

private:
    void Place(Object& object, const IAttributeContainer& attributes, float offsetX, float offsetY)
    {
        const Vector2<float> at{offsetX + attributes.GetFloatAttribute(L"x", 0.0f),
                                offsetY + attributes.GetFloatAttribute(L"y", 0.0f)};
        if (auto* fonts = dynamic_cast<IFontComponent*>(&object))
            fonts->SetFont(mFont);
        auto* bounds = dynamic_cast<IBounds*>(&object);
        const auto place = [&] {
            const Rect<float>& size = bounds->GetBounds();
            bounds->SetBounds({at.x, at.y, attributes.GetFloatAttribute(L"w", size.width),
                               attributes.GetFloatAttribute(L"h", size.height)});
        };
        if (bounds)
            place();
        else if (auto* location = dynamic_cast<ILocation*>(&object))
            location->SetLocation(at);
        // The text comes once the object is in place (labels are put beside it); a size the
        // layout gives wins over one the text brings.
        if (auto* text = dynamic_cast<IText*>(&object); text && attributes.HasAttribute(L"text"))
        {
            text->SetText(attributes.GetStringAttribute(L"text", L""));
            if (bounds && (attributes.HasAttribute(L"w") || attributes.HasAttribute(L"h")))
                place();
        }
        if (auto* drawable = dynamic_cast<IDrawable*>(&object))
            drawable->SetDepth(attributes.GetFloatAttribute(L"depth", 0.0f));
    }

    Label mLayout;
    Font* mFont;
    std::vector<std::string>& mLog;
    bool mFinished = false;
    Vector2<float> mScreenSize{800.0f, 600.0f};
};
} // namespace Corvane::Testing
