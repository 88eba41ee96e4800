// The owner of one record type's members, handing them out as the null-terminated table that
// SettingsDescriptor::GetMembers returns. A concrete descriptor keeps one as a function-local
// static of its GetMembers, so the table is built on first use and lives for the process.
#pragma once

#include "MemberDescriptor.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace SimpleSettings
{
template <typename Record> class MemberTable
{
public:
    // Takes ownership of the members, kept in the order given.
    MemberTable(std::initializer_list<MemberDescriptor<Record>*> members)
    {
        for (MemberDescriptor<Record>* member : members)
        {
            mOwned.emplace_back(member);
            mTable.push_back(member);
        }
        mTable.push_back(nullptr);
    }
    MemberTable(const MemberTable&) = delete;
    MemberTable& operator=(const MemberTable&) = delete;

    const MemberDescriptor<Record>* const* Get() const { return mTable.data(); }

private:
    std::vector<std::unique_ptr<MemberDescriptor<Record>>> mOwned;
    std::vector<const MemberDescriptor<Record>*> mTable;
};
} // namespace SimpleSettings
