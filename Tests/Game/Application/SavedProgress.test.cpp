// A player's wins in the whole game on the kitchen rig, saved while the disk fails them in the ways
// a disk can: each failure is told when the win is saved, the win stays won, and a later save
// stores it, so that the next start holds every win.
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Support/BoxCapture.h"
#include "Support/FileFaults.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
TEST(SavedProgress, AWinThatCannotBeSavedIsToldKeptAndStoredByALaterSave)
{
    KitchenRig rig;
    BoxCapture boxes;
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const std::filesystem::path folder = rig.UserData().Path() / "Trevold" / "Fennik";
    const std::string name = Utf8::FromWide(AccountManager::Get()->GetCurrentAccount()->GetLocation().GetName());
    const std::string file = (folder / (name + ".act")).string();
    const auto win = [&](int index) {
        progress->SetCurrentLevelIndex(index);
        progress->RecordLevelScore(progress->GetCurrentLevelData()->winScore);
    };
    const std::string unsaved = "Fennik: Your progress could not be saved:\n\n" + file + "\n";
    const struct
    {
        std::function<std::shared_ptr<void>()> fault;
        std::function<void(int)> play;
        std::string told;
    } cases[] = {
        // A level played and judged whole, saved into a folder the program may not write.
        {[&] { return std::make_shared<ReadOnlyFolder>(folder, rig.UserData().Path()); },
         [&](int index) { EXPECT_TRUE(PlayBot(rig).PlayLevel(index, true).cleared); }, unsaved + "Access is denied."},
        {[] { return std::make_shared<FileSizeLimit>(256); }, win,
         unsaved + "The file size exceeds the limit allowed and cannot be saved."},
        // This save stores the two wins before it along, a copy of the file as it was kept beside.
        {[&] {
             const std::string content = rig.UserData().Read("Trevold/Fennik/" + name + ".act");
             rig.UserData().Write("Trevold/Fennik/" + name + ".act", content.substr(0, content.size() / 2));
             return nullptr;
         },
         win, "Fennik: A profile file could not be read whole:\n\n" + file + "\n"},
    };
    for (int index = 0; index < 3; ++index)
    {
        SCOPED_TRACE(index);
        boxes.Clear();
        {
            const std::shared_ptr<void> active = cases[index].fault();
            cases[index].play(index);
        }
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].rfind(cases[index].told, 0), 0u) << boxes.Boxes()[0];
        EXPECT_TRUE(progress->GetLevelRecord(progress->GetLevelOrder()[index]).completed);
    }

    rig.Restart();
    progress = LevelProgressManager::Instance();
    for (int index = 0; index < 3; ++index)
        EXPECT_TRUE(progress->GetLevelRecord(progress->GetLevelOrder()[index]).completed) << "level " << index;
    int copies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        copies += entry.path().extension() == ".damaged";
    EXPECT_EQ(copies, 1);

    // The settings saved at the end fail once, and say that the game ends without them.
    boxes.Clear();
    {
        ReadOnlyFolder readOnly(folder, rig.UserData().Path());
        rig.Stop();
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].find(file + "\nAccess is denied.\n\nThe game ends without it."), std::string::npos)
        << boxes.Boxes()[0];
}
} // namespace
