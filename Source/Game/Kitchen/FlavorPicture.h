// A requested flavour as a step display shows it: its picture "FlavorIcon_<flavour>" beside its
// name, so that a request reads at a glance without reading the word.
#pragma once

#include "Label.h"

class SceneNode;

// Shows flavor's picture on icon (a static sprite) when shown; hides icon when not shown, when the
// request is none or when the flavour has no picture.
void ShowFlavorPicture(SceneNode* icon, Corvane::Label flavor, bool shown);
