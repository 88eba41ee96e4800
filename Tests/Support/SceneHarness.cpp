#include "Support/SceneHarness.h"

#include "Graphics/FilmStripResourceFactory.h"
#include "Graphics/FontResourceFactory.h"
#include "Graphics/ImageFileWriters.h"
#include "Graphics/ImageListResourceFactory.h"
#include "Graphics/ImageResourceFactory.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/SceneGraphRegistration.h"

namespace Corvane::Testing
{
SceneHarness::SceneHarness(SceneApplicationMode* screen, IClock& clock) : looper(clock)
{
    RegisterSceneGraphTypes();
    RegisterTestSceneNodes();
    Manager().RegisterFactory(L"image", new ImageResourceFactory);
    Manager().RegisterFactory(L"imagelist", new ImageListResourceFactory);
    Manager().RegisterFactory(L"filmstrip", new FilmStripResourceFactory);
    Manager().RegisterFactory(L"font", new FontResourceFactory);
    mPreviousLoop = Looper::SetInstance(&looper);
    looper.QueueRequest(screen ? screen : new SceneApplicationMode, kModePush);
    looper.ApplyRequests();
}

SceneHarness::~SceneHarness()
{
    looper.Shutdown();
    Looper::SetInstance(mPreviousLoop);
}

void SceneHarness::Load(const std::string& body)
{
    const std::string name = "Scene" + std::to_string(++mManifests);
    WriteManifest(name, body);
    Manager().LoadAndWait(std::wstring(name.begin(), name.end()), true, nullptr);
}

SceneNode* SceneHarness::Show(const std::string& nodeElement)
{
    const std::string name = "Shown" + std::to_string(mManifests + 1);
    Load("<scenelayout name=\"" + name + "\">" + nodeElement + "</scenelayout>");
    return Instantiate(name);
}

SceneNode* SceneHarness::Instantiate(const std::string& layout, SceneNode* parent)
{
    Internal::CurrentApplicationModeScope current(&Screen());
    return Screen().InstantiateLayout(Label(layout), parent);
}

void SceneHarness::AddSolidImage(const std::string& name, int width, int height, PackedColor argb)
{
    AddImage(name, width, height, std::vector<PackedColor>(std::size_t(width) * height, argb));
}

void SceneHarness::AddImage(const std::string& name, int width, int height, const std::vector<PackedColor>& pixels)
{
    Folder().Write("Pictures/" + name + ".png", EncodePng(width, height, pixels));
    Load("<image name=\"" + name + "\" src=\"Pictures/" + name + "\"/>");
}

SceneApplicationMode& SceneHarness::Screen() const
{
    return *dynamic_cast<SceneApplicationMode*>(looper.GetTopMode());
}

void SceneHarness::Send(const InputEvent& event)
{
    looper.OnInputEvent(event);
}

namespace
{
InputEvent Event(std::int32_t type, int x, int y, int code)
{
    InputEvent event;
    event.type = type;
    event.x = x;
    event.y = y;
    event.code = code;
    return event;
}
} // namespace

void SceneHarness::MoveMouse(int x, int y)
{
    Send(Event(InputEvent::kMouseMove, x, y, 0));
}

void SceneHarness::Press(int x, int y, int button)
{
    Send(Event(InputEvent::kButtonDown, x, y, button));
}

void SceneHarness::Release(int x, int y, int button)
{
    Send(Event(InputEvent::kButtonUp, x, y, button));
}

void SceneHarness::Click(int x, int y, int button)
{
    Press(x, y, button);
    Release(x, y, button);
}

void SceneHarness::KeyDown(int key)
{
    Send(Event(InputEvent::kKeyDown, 0, 0, key));
}

void SceneHarness::KeyUp(int key)
{
    Send(Event(InputEvent::kKeyUp, 0, 0, key));
}

void SceneHarness::TypeKey(int key)
{
    KeyDown(key);
    KeyUp(key);
}

void SceneHarness::TypeText(const wchar_t* text)
{
    Send(InputEvent::Character(text));
}

void SceneHarness::Wheel(int x, int y, int notches)
{
    InputEvent event = Event(InputEvent::kWheel, x, y, notches * 120);
    event.extra = 120;
    Send(event);
}

void SceneHarness::LeaveWindow()
{
    Send(Event(InputEvent::kMouseLeave, 0, 0, 0));
}

void SceneHarness::Update(int ticks)
{
    for (int i = 0; i < ticks; ++i)
    {
        looper.ApplyRequests();
        looper.Update(0.02f);
    }
}

void SceneHarness::Draw(Graphics::ICanvas* canvas)
{
    Graphics::RenderContext context = Graphics::GetRenderContext();
    context.target = canvas;
    Graphics::ScopedDrawState target(context);
    Internal::CurrentApplicationModeScope current(&Screen());
    Screen().Draw();
}
} // namespace Corvane::Testing
