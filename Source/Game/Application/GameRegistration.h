// Every type the game's data files name, registered before the first manifest is read: the scene
// resource types and node types (SceneGraphRegistration.h) with the game's own node types (the
// fixed list), then the game's record types and the hand-read record types
// (Game/Data/GameDataRegistration.h). The application's Start calls it; the
// data checker calls it too, so that it reads the data exactly as the game does.
//
// A new node type goes into RegisterSceneNodeTypes, a new record type into
// RegisterRecordFactories or RegisterHandReadRecordFactories: all of them reach the game and the
// checker through here.
#pragma once

void RegisterGameTypes();
