#include "Game/Kitchen/ScoreManager.h"

#include "Format.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Data/ScreenNodePaths.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <algorithm>
#include <vector>

using namespace Corvane;

Label ScoreManager::GetName() const
{
    static const Label name("SCORE_MANAGER");
    return name;
}

void ScoreManager::ResetCombo()
{
    mComboCount = 0;
    mComboTimer = 0.0f;
}

int ScoreManager::GetComboPoints() const
{
    const std::vector<int> list = ResourceManager::GetValue<std::vector<int>>(Label("ComboScoreList"), {});
    if (list.empty())
        return 0;
    const int last = static_cast<int>(list.size()) - 1;
    return list[static_cast<std::size_t>(std::clamp(mComboCount - 1, 0, last))];
}

void ScoreManager::OnStepCompleted()
{
    mComboTimer = ResourceManager::GetValue<float>(Label("ComboTime"), 0.0f);
    ++mComboCount;
    mScore += GetComboPoints();
}

void ScoreManager::OnUpdate(float dt)
{
    if (SceneNode* ui = FindNodeInCurrentScene(ScreenPaths::Kitchen::kUIAttach))
        if (auto* display = ui->FindByPathAs<StyledTextSpriteNode>(ObjectPaths::ScoreManager::kScoreDisplay))
            display->SetText((Format(L"%1%") % mScore).str());
    if (mComboTimer > 0.0f)
    {
        mComboTimer -= dt;
        if (mComboTimer <= 0.0f)
            ResetCombo();
    }
}

ScoreManager* GetScoreManager()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return nullptr;
    static const Label name("SCORE_MANAGER");
    if (auto* found = dynamic_cast<ScoreManager*>(database->FindByName(name)))
        return found;
    database->Add(new ScoreManager);
    return dynamic_cast<ScoreManager*>(database->FindByName(name));
}
