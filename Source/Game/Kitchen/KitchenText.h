// Writing the kitchen's texts into the text nodes of its layouts.
#pragma once

#include <string>

class NodePath;
class SceneNode;

// Sets the text of the text node (plain or styled) at path below base; nothing when base is null
// or the node is missing or no text node.
void SetNodeText(SceneNode* base, const NodePath& path, const std::wstring& text);
