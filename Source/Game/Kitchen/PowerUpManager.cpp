#include "Game/Kitchen/PowerUpManager.h"

#include "Framework/ObjectDatabase.h"

using namespace Corvane;

namespace
{
Label ManagerName()
{
    static const Label name("POWERUP_MANAGER");
    return name;
}
} // namespace

Label PowerUpManager::GetName() const
{
    return ManagerName();
}

void PowerUpManager::AddCharge(int kind)
{
    if (kind >= 0 && kind < kKinds)
        ++mCounts[static_cast<std::size_t>(kind)];
}

int PowerUpManager::GetCount(int kind) const
{
    return kind >= 0 && kind < kKinds ? mCounts[static_cast<std::size_t>(kind)] : 0;
}

PowerUpManager* GetPowerUpManager()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return nullptr;
    if (auto* found = dynamic_cast<PowerUpManager*>(database->FindByName(ManagerName())))
        return found;
    database->Add(new PowerUpManager);
    return dynamic_cast<PowerUpManager*>(database->FindByName(ManagerName()));
}
