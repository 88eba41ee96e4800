// The base of the game's interface pieces (stations, bins, meters, dish displays): an object of
// the current screen that builds one node tree (CreateNode, usually by instantiating a layout),
// attaches it under a node of the screen and keeps node paths into it. Removing either the
// controller or its node removes both: the node's removal removes the controller, and the
// controller's removes the node with its subtree. Main thread.
//
//     class StationDisplay : public SceneLayoutController
//     {
//         SceneNode* CreateNode() override
//         {
//             return SceneLayout::Find(Label("StationLayout"))->Instantiate(nullptr, nullptr);
//         }
//     };
//     (new StationDisplay)->Attach(FindNodeInCurrentScene({"Stations"}));
//
// CreateNode returns an unregistered tree (Attach registers it) or one already registered in the
// current database.
#pragma once

#include "Framework/Object.h"
#include "SceneGraph/NodeSignal.h"

class SceneNode;

class SceneLayoutController : public virtual Corvane::Object
{
public:
    SceneLayoutController() = default;
    ~SceneLayoutController() override;

    // Adds the controller to the current database, builds its tree (CreateNode), registers the
    // tree, attaches it under parent (none when null: it is then drawn only once attached
    // elsewhere) and calls OnAttached. Needs a current screen.
    void Attach(SceneNode* parent);
    // The root of the controller's tree; null before Attach and after the removal.
    SceneNode* GetNode() const { return mNode; }
    // "Remove" (the database removing the controller) removes its node tree too.
    void OnMessage(const Corvane::ObjectMessage& message) override;

    // Emitted once the controller has been removed.
    NodeSignal<void(SceneLayoutController*)> Removed;

    // Called by the node when the node is removed first.
    void ForgetNode() { mNode = nullptr; }

protected:
    // Builds the controller's tree and returns its root.
    virtual SceneNode* CreateNode() = 0;
    // The removal began (first thing).
    virtual void OnRemoved() {}
    // The tree is attached (last thing of Attach).
    virtual void OnAttached() {}

private:
    SceneNode* mNode = nullptr;
};
