// The record descriptors of the game records: one process-wide object per record type
// (RecordDescriptor<Record>, also named <Record>_Descriptor), whose member table is built on
// first use. They serve as the factories of the record resources and describe nested records.
#pragma once

#include "Game/Data/GameRecords.h"
#include "simplesettings/SettingsDescriptor.h"

template <typename Record> class RecordDescriptor final : public SimpleSettings::SettingsDescriptor<Record>
{
public:
    using typename SimpleSettings::SettingsDescriptor<Record>::MemberList;
    MemberList GetMembers() const override;
};

// The one descriptor of each record type.
template <typename Record> inline RecordDescriptor<Record> gRecordDescriptor;

// The member tables, one per record type.
template <> RecordDescriptor<LevelDescriptor>::MemberList RecordDescriptor<LevelDescriptor>::GetMembers() const;
template <> RecordDescriptor<EpisodeDescriptor>::MemberList RecordDescriptor<EpisodeDescriptor>::GetMembers() const;
template <>
RecordDescriptor<LevelProgressionData>::MemberList RecordDescriptor<LevelProgressionData>::GetMembers() const;
template <> RecordDescriptor<CutscenePrompt>::MemberList RecordDescriptor<CutscenePrompt>::GetMembers() const;
template <> RecordDescriptor<CutsceneData>::MemberList RecordDescriptor<CutsceneData>::GetMembers() const;
template <> RecordDescriptor<RecipeStepData>::MemberList RecordDescriptor<RecipeStepData>::GetMembers() const;
template <> RecordDescriptor<RecipeData>::MemberList RecordDescriptor<RecipeData>::GetMembers() const;
template <> RecordDescriptor<MirelFlavorThought>::MemberList RecordDescriptor<MirelFlavorThought>::GetMembers() const;
template <> RecordDescriptor<MirelComboThought>::MemberList RecordDescriptor<MirelComboThought>::GetMembers() const;
template <> RecordDescriptor<LevelIntroData>::MemberList RecordDescriptor<LevelIntroData>::GetMembers() const;

using LevelDescriptor_Descriptor = RecordDescriptor<LevelDescriptor>;
using EpisodeDescriptor_Descriptor = RecordDescriptor<EpisodeDescriptor>;
using LevelProgressionData_Descriptor = RecordDescriptor<LevelProgressionData>;
using CutscenePrompt_Descriptor = RecordDescriptor<CutscenePrompt>;
using CutsceneData_Descriptor = RecordDescriptor<CutsceneData>;
using RecipeStepData_Descriptor = RecordDescriptor<RecipeStepData>;
using RecipeData_Descriptor = RecordDescriptor<RecipeData>;
using MirelFlavorThought_Descriptor = RecordDescriptor<MirelFlavorThought>;
using MirelComboThought_Descriptor = RecordDescriptor<MirelComboThought>;
using LevelIntroData_Descriptor = RecordDescriptor<LevelIntroData>;
