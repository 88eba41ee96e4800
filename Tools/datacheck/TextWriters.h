// What the game writes into the text nodes of its layouts, for the check of texts in their boxes
// (TextFitCheck.cpp): every text a node can show, taken from the data as the screens make it (dish
// names for every way of serving each recipe, the judges' remarks, host and cutscene lines, tips,
// the longest profile name the field takes, numbers as wide as a level's), and how the screen
// sizes what holds the text.
#pragma once

#include "Check.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class SceneLayout;
class SceneNode;

namespace Corvane::DataCheck
{
using Texts = std::vector<std::wstring>;

// A layout's tree, built off any screen; deleted whole.
class BuiltLayout
{
public:
    explicit BuiltLayout(const SceneLayout& layout);
    ~BuiltLayout();
    BuiltLayout(const BuiltLayout&) = delete;
    BuiltLayout& operator=(const BuiltLayout&) = delete;

    // Null for an empty layout.
    SceneNode* Root() const { return mRoot; }

private:
    SceneNode* mRoot;
};

// Every node at or below node, parents first.
void Walk(SceneNode& node, const std::function<void(SceneNode&)>& visit);

struct WrittenTexts
{
    Texts texts;
    // Sizes or moves, as the screen does, what holds the text once it is set; may be empty.
    std::function<void(SceneNode& text)> prepare;
};

// The texts the game writes into the node at path (the names the screens find the nodes by, from
// the layout's root: "Root/Panel/Text", letter case aside) of the layout; none when it writes none.
std::optional<WrittenTexts> TextsWrittenInto(const Context& context, const std::wstring& layout,
                                             const std::wstring& path);
} // namespace Corvane::DataCheck
