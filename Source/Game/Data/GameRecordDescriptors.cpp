#include "Game/Data/GameRecordDescriptors.h"

#include "simplesettings/AttrDescriptor.h"
#include "simplesettings/ElementDescriptor.h"
#include "simplesettings/EnumDescriptor.h"
#include "simplesettings/MemberTable.h"
#include "simplesettings/VectorDescriptor.h"

using namespace SimpleSettings;
using Corvane::Label;

template <> RecordDescriptor<LevelDescriptor>::MemberList RecordDescriptor<LevelDescriptor>::GetMembers() const
{
    static const MemberTable<LevelDescriptor> table{
        new AttrDescriptor<LevelDescriptor, Label>("levelID", &LevelDescriptor::levelID),
        new AttrDescriptor<LevelDescriptor, std::wstring>("filename", &LevelDescriptor::filename),
    };
    return table.Get();
}

template <> RecordDescriptor<EpisodeDescriptor>::MemberList RecordDescriptor<EpisodeDescriptor>::GetMembers() const
{
    using Level = ElementDescriptor<EpisodeDescriptor, LevelDescriptor>;
    const auto* level = &gRecordDescriptor<LevelDescriptor>;
    static const MemberTable<EpisodeDescriptor> table{
        new AttrDescriptor<EpisodeDescriptor, int>("EpisodeNum", &EpisodeDescriptor::episodeNum),
        new Level("Intro", &EpisodeDescriptor::intro, "LevelDescriptor", level),
        new Level("Outro", &EpisodeDescriptor::outro, "LevelDescriptor", level),
        new Level("Dashcourse_1", &EpisodeDescriptor::dashcourse1, "LevelDescriptor", level),
        new Level("Dashcourse_2", &EpisodeDescriptor::dashcourse2, "LevelDescriptor", level),
        new Level("Elimination", &EpisodeDescriptor::elimination, "LevelDescriptor", level),
    };
    return table.Get();
}

template <>
RecordDescriptor<LevelProgressionData>::MemberList RecordDescriptor<LevelProgressionData>::GetMembers() const
{
    static const MemberTable<LevelProgressionData> table{
        new ComplexVectorDescriptor<LevelProgressionData, EpisodeDescriptor>(
            "EpisodeList", &LevelProgressionData::episodes, "EpisodeDescriptor", &gRecordDescriptor<EpisodeDescriptor>),
    };
    return table.Get();
}

template <> RecordDescriptor<CutscenePrompt>::MemberList RecordDescriptor<CutscenePrompt>::GetMembers() const
{
    static const MemberTable<CutscenePrompt> table{
        new EnumDescriptor<CutscenePrompt, CutsceneCharState>("LeftChar", &CutscenePrompt::leftChar,
                                                              kCutsceneCharStateNames),
        new EnumDescriptor<CutscenePrompt, CutsceneCharState>("RightChar", &CutscenePrompt::rightChar,
                                                              kCutsceneCharStateNames),
        new EnumDescriptor<CutscenePrompt, CutscenePosition>("Speaker", &CutscenePrompt::speaker,
                                                             kCutscenePositionNames),
        new AttrDescriptor<CutscenePrompt, Label>("textID", &CutscenePrompt::textID),
    };
    return table.Get();
}

template <> RecordDescriptor<CutsceneData>::MemberList RecordDescriptor<CutsceneData>::GetMembers() const
{
    static const MemberTable<CutsceneData> table{
        new EnumDescriptor<CutsceneData, CutsceneBGLoc>("Location", &CutsceneData::location, kCutsceneBGLocNames),
        new ComplexVectorDescriptor<CutsceneData, CutscenePrompt>("PromptList", &CutsceneData::prompts,
                                                                  "CutscenePrompt", &gRecordDescriptor<CutscenePrompt>),
    };
    return table.Get();
}

template <> RecordDescriptor<RecipeStepData>::MemberList RecordDescriptor<RecipeStepData>::GetMembers() const
{
    static const MemberTable<RecipeStepData> table{
        new EnumDescriptor<RecipeStepData, IngredientCategory>("Category", &RecipeStepData::category,
                                                               kIngredientCategoryNames),
        new AttrDescriptor<RecipeStepData, Label>("AttRequest_1", &RecipeStepData::attRequest1),
        new AttrDescriptor<RecipeStepData, Label>("AttRequest_2", &RecipeStepData::attRequest2, Label()),
        new AttrDescriptor<RecipeStepData, int>("DisplayIndex", &RecipeStepData::displayIndex, -1),
        new EnumDescriptor<RecipeStepData, CookingStepAnimation>("Anim", &RecipeStepData::anim,
                                                                 kCookingStepAnimationNames),
        new AttrDescriptor<RecipeStepData, Label>("Group", &RecipeStepData::group),
    };
    return table.Get();
}

template <> RecordDescriptor<RecipeData>::MemberList RecordDescriptor<RecipeData>::GetMembers() const
{
    static const MemberTable<RecipeData> table{
        new AttrDescriptor<RecipeData, Label>("name", &RecipeData::name),
        new EnumDescriptor<RecipeData, PlatingType>("plateType", &RecipeData::plateType, kPlatingTypeNames),
        new ComplexVectorDescriptor<RecipeData, RecipeStepData>("StepDataList", &RecipeData::steps, "RecipeStepData",
                                                                &gRecordDescriptor<RecipeStepData>),
        new SimpleVectorDescriptor<RecipeData, Label>("IngredientList", &RecipeData::ingredients),
        new SimpleVectorDescriptor<RecipeData, int>("StarPoints", &RecipeData::starPoints),
    };
    return table.Get();
}

template <> RecordDescriptor<MirelFlavorThought>::MemberList RecordDescriptor<MirelFlavorThought>::GetMembers() const
{
    using Text = AttrDescriptor<MirelFlavorThought, Label>;
    static const MemberTable<MirelFlavorThought> table{
        new Text("Flavor", &MirelFlavorThought::flavor), new Text("Ing_1", &MirelFlavorThought::ing1),
        new Text("Ing_2", &MirelFlavorThought::ing2),    new Text("Ing_3", &MirelFlavorThought::ing3),
        new Text("Ing_4", &MirelFlavorThought::ing4),
    };
    return table.Get();
}

template <> RecordDescriptor<MirelComboThought>::MemberList RecordDescriptor<MirelComboThought>::GetMembers() const
{
    static const MemberTable<MirelComboThought> table{
        new AttrDescriptor<MirelComboThought, Label>("Combo_1", &MirelComboThought::combo1),
        new AttrDescriptor<MirelComboThought, Label>("Combo_2", &MirelComboThought::combo2),
    };
    return table.Get();
}

template <> RecordDescriptor<LevelIntroData>::MemberList RecordDescriptor<LevelIntroData>::GetMembers() const
{
    static const MemberTable<LevelIntroData> table{
        new SimpleVectorDescriptor<LevelIntroData, Label>("VeylaText", &LevelIntroData::veylaText),
        new ElementDescriptor<LevelIntroData, MirelComboThought>("Combo", &LevelIntroData::combo, "MirelComboThought",
                                                                 &gRecordDescriptor<MirelComboThought>),
        new ElementDescriptor<LevelIntroData, MirelFlavorThought>("Flavor", &LevelIntroData::flavor,
                                                                  "MirelFlavorThought",
                                                                  &gRecordDescriptor<MirelFlavorThought>),
    };
    return table.Get();
}
