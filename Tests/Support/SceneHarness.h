// A scene-graph screen for tests of the scene graph and of node types, run the way the program
// runs it: layouts written as XML into a resource folder and read by the resource manager's
// loader through the real "scenelayout" reader, the screen pushed on a main loop of its own, input
// delivered as the platform's input events to the loop, fixed updates through the loop, and
// frames drawn onto a canvas of the test's choice.
//
//     SceneHarness scene;
//     RegisterNodeFactory(L"buttonnode", new ButtonNodeFactory);   // the node type under test
//     scene.AddSolidImage("ButtonArt", 40, 20, 0xFF3060A0);
//     SceneNode* root = scene.Show(R"(<buttonnode name="Ok" x="10" y="10" src="ButtonArt"/>)");
//     scene.Click(15, 15);
//     scene.Update();
//
// The scene graph's own node types and the test node types below are registered; "image",
// "imagelist", "filmstrip" and "font" resources can be loaded. Everything is undone when the
// harness ends (node factories registered by the test stay registered).
#pragma once

#include "Framework/IClock.h"
#include "Framework/IPlatform.h"
#include "Framework/Looper.h"
#include "Graphics/ICanvas.h"
#include "SceneGraph/NodePath.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "Support/ResourceFolder.h"
#include "Support/TestSceneNodes.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
class SceneHarness : public ResourceFolder
{
public:
    // screen: the screen under test (owned by the loop from now on); a plain scene-graph screen
    // when null. It is pushed and entered at once. clock: the loop's clock (a test clock lets
    // Looper::Loop run whole seconds at once).
    explicit SceneHarness(SceneApplicationMode* screen = nullptr, IClock& clock = GetSystemClock());
    ~SceneHarness();
    SceneHarness(const SceneHarness&) = delete;
    SceneHarness& operator=(const SceneHarness&) = delete;

    // Loads a manifest of resource elements ("<scenelayout name=...>...</scenelayout>", images...)
    // and waits for it; an error of the reader is raised here.
    void Load(const std::string& body);
    // Loads one node element (with its children) as a layout and instantiates it under the root;
    // the new tree's root.
    SceneNode* Show(const std::string& nodeElement);
    // Instantiates a loaded layout under parent (the root when null) into the screen.
    SceneNode* Instantiate(const std::string& layout, SceneNode* parent = nullptr);
    // A width x height image resource of one colour (0xAARRGGBB), or of the given pixels.
    void AddSolidImage(const std::string& name, int width, int height, PackedColor argb);
    void AddImage(const std::string& name, int width, int height, const std::vector<PackedColor>& pixels);

    SceneApplicationMode& Screen() const;
    SceneNode* Root() const { return Screen().GetRootNode(); }
    SceneNode* Find(const NodePath& path) const { return Root()->FindByPath(path); }
    template <typename T> T* FindAs(const NodePath& path) const { return dynamic_cast<T*>(Find(path)); }

    // Input as the platform delivers it, through the loop to the top screen.
    void Send(const InputEvent& event);
    void MoveMouse(int x, int y);
    void Press(int x, int y, int button = 0);
    void Release(int x, int y, int button = 0);
    // Press and release at one point.
    void Click(int x, int y, int button = 0);
    void KeyDown(int key);
    void KeyUp(int key);
    // Key down and up.
    void TypeKey(int key);
    // text must outlive the call.
    void TypeText(const wchar_t* text);
    void Wheel(int x, int y, int notches);
    void LeaveWindow();

    // Fixed updates of 20 ms through the loop (the mode requests queued meanwhile are applied
    // first, as the loop's tick does).
    void Update(int ticks = 1);
    // One frame of the screen onto canvas, with the screen current.
    void Draw(Graphics::ICanvas* canvas);

    Looper looper;

private:
    Looper* mPreviousLoop = nullptr;
    int mManifests = 0;
};
} // namespace Corvane::Testing
