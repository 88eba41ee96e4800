// One row of the recipe list: a waiting recipe step shown by its ingredient category's icon and
// the flavours it asks for, with a header naming its dish component (in the component's colour)
// when it is the component's first row. Rows of the current recipe use the normal icons and
// colours, later recipes' rows the inactive ones; the row checks which every update. Rows slide to
// their place at one speed, and a row sent to a station flies there; while it flies it takes no
// other move. Found by the group "Recipe_ListEntry".
#pragma once

#include "Graphics/Vector2.h"
#include "SceneGraph/SceneLayoutController.h"

class RecipeStep;

class RecipeListEntry : public SceneLayoutController
{
public:
    RecipeListEntry(Corvane::ObjectID step, bool header);

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();
    void OnUpdate(float dt) override;

    // The step shown (null once it is gone).
    RecipeStep* GetStep() const;
    Corvane::ObjectID GetStepID() const { return mStep; }
    bool HasHeader() const { return mHeader; }
    bool IsActive() const { return mActive; }
    void SetActive(bool active);
    // The row's height in the list ("RecipeListVSpacing_Header" or "_Normal").
    int GetHeight() const;
    // Slides to (0, y) in the list at "RecipeListItemListMoveSpeed"; nothing while flying.
    void MoveTo(int y);
    // Flies to the station's world position in "RecipeItemToStationTime"; tasks appended to the
    // row's own list afterwards run once the flight is over.
    void MoveToStation(const Corvane::Vector2<float>& stationWorldPosition);

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;

private:
    void ShowIconAndColours();

    Corvane::ObjectID mStep;
    bool mActive = true;
    bool mHeader;
};
