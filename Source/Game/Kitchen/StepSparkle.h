// The effects of a station's step displays. The sparkles: a particle system on
// "ProgressSpeedParticle" that rises from inside the node it fills (a request's text area, the
// ingredient's plate), made once per node when the display is built; the node's visibility shows
// or hides them. The highlight flash: "HighlightAtt_Box_FlashLayout" played once over a node.
#pragma once

class SceneNode;

// A sparkle made a child of target and registered in the current database; nothing without a
// target or a current database. Its sparks start at half size and end at endScale: the cooking
// display's keep their size, the waiting display's requests' shrink to 0.2.
void AddStepSparkle(SceneNode* target, float endScale);

// A copy of "HighlightAtt_Box_FlashLayout" under "GameScreenRoot"/"FX_Layer", centred on attach's
// world centre (where the layer's origin is when attach is null): its "anim" plays "Play" once,
// then the copy removes itself.
void PlayHighlightFlash(SceneNode* attach);
