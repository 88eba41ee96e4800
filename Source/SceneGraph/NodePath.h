// Node paths: a short list of steps that finds a node below another one. A step is a child index
// (0 = the first child, drawn first), a node name (a label, a C string, an 8-bit or a wide
// string, all matched as labels, so letter case does not matter) or the end. Screens keep
// constant tables of paths:
//
//     const NodePath kScorePath{"Hud", "Score"};
//     const NodePath kSecondIcon{"Hud", "Icons", 1};
//     SceneNode* score = root->FindByPath(kScorePath);
//
// A C-string step keeps the pointer: use literals or strings that outlive the path. Only node
// names ("nodeName" in layouts, AttachAs in code) are found by name, never object names.
#pragma once

#include "Label.h"

#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

// The end of a path: the walk stops there with the node reached.
struct NodePathEnd
{
};

class NodePathElement
{
public:
    // The kinds of steps, in the order of their tags.
    enum Tag
    {
        kIndex = 0,
        kLabel = 1,
        kCString = 2,
        kString = 3,
        kWideString = 4,
        kEnd = 5,
    };

    NodePathElement(int index) : mStep(index) {}
    NodePathElement(Corvane::Label name) : mStep(name) {}
    NodePathElement(const char* name) : mStep(name) {}
    NodePathElement(std::string name) : mStep(std::move(name)) {}
    NodePathElement(std::wstring name) : mStep(std::move(name)) {}
    NodePathElement(const wchar_t* name) : mStep(std::wstring(name ? name : L"")) {}
    NodePathElement(NodePathEnd end) : mStep(end) {}

    int GetTag() const { return static_cast<int>(mStep.index()); }
    bool IsEnd() const { return GetTag() == kEnd; }
    bool IsIndex() const { return GetTag() == kIndex; }
    // The index of an index step (0 for other steps).
    int GetIndex() const;
    // The node name of a name step as a label (the null label for other steps).
    Corvane::Label GetLabel() const;

private:
    std::variant<int, Corvane::Label, const char*, std::string, std::wstring, NodePathEnd> mStep;
};

class NodePath
{
public:
    NodePath() = default;
    NodePath(std::initializer_list<NodePathElement> steps) : mSteps(steps) {}
    explicit NodePath(std::vector<NodePathElement> steps) : mSteps(std::move(steps)) {}

    const std::vector<NodePathElement>& GetElements() const { return mSteps; }
    // This path followed by more steps.
    NodePath operator+(const NodePath& more) const;

private:
    std::vector<NodePathElement> mSteps;
};
