#include "Framework/ObjectDatabase.h"

#include "Debug.h"
#include "Framework/ApplicationMode.h"
#include "Framework/IBounds.h"
#include "Framework/IDrawable.h"
#include "Framework/IEnable.h"
#include "Framework/IInputHandler.h"
#include "Framework/IPlatform.h"
#include "Framework/IVisible.h"
#include "Framework/Object.h"
#include "RuntimeError.h"
#include "TypeName.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

namespace Corvane
{
namespace
{
// The database that is broadcasting or deleting its objects, whatever mode is current.
ObjectDatabase* gCurrentDatabase = nullptr;

// An object could name itself in endless groups; nobody needs this many.
constexpr int kMaxGroupsPerObject = 64;

class CurrentDatabaseScope
{
public:
    explicit CurrentDatabaseScope(ObjectDatabase* database) : mPrevious(gCurrentDatabase)
    {
        gCurrentDatabase = database;
    }
    ~CurrentDatabaseScope() { gCurrentDatabase = mPrevious; }
    CurrentDatabaseScope(const CurrentDatabaseScope&) = delete;
    CurrentDatabaseScope& operator=(const CurrentDatabaseScope&) = delete;

private:
    ObjectDatabase* mPrevious;
};
} // namespace

ObjectDatabase::ObjectDatabase()
{
    mEntries.reserve(256);
}

ObjectDatabase::~ObjectDatabase()
{
    DebugPrint("Destroying ObjectDatabase (%s): Final Size = %d\n",
               GetTypeName(mDynamicType ? *mDynamicType : typeid(*this)).c_str(), GetSize());
    mMode = nullptr;
    if (mCapture != kNoObject)
        if (IPlatform* platform = IPlatform::GetInstance())
            platform->ReleaseMouse();
    mFocus = mCapture = mHover = kNoObject;

    // Objects deleted now find this database as the current one. Their destructors may remove or
    // even add objects; go on until none is left.
    CurrentDatabaseScope current(this);
    ++mWalkDepth;
    for (bool any = true; any;)
    {
        any = false;
        for (Entry& entry : mEntries)
            if (entry.state == kLive)
                entry.state = kRemoved;
        for (std::uint32_t slot = 0; slot < mEntries.size(); ++slot)
            if (mEntries[slot].state == kRemoved)
            {
                any = true;
                FreeEntry(slot);
            }
    }
    --mWalkDepth;
}

ObjectDatabase::Walk::~Walk()
{
    if (--mDatabase.mWalkDepth > 0 || !mDatabase.mFreePending)
        return;
    mDatabase.mFreePending = false;
    ++mDatabase.mWalkDepth;
    mDatabase.FreeRemoved();
    mDatabase.SortDrawList();
    --mDatabase.mWalkDepth;
}

ObjectDatabase* ObjectDatabase::Current()
{
    if (gCurrentDatabase)
        return gCurrentDatabase;
    ApplicationMode* mode = GetCurrentApplicationMode();
    return mode ? mode->GetObjectDatabase() : nullptr;
}

ObjectDatabase::Entry* ObjectDatabase::FindEntry(ObjectID id)
{
    const std::uint32_t slot = Internal::SlotOf(id);
    if (id == kNoObject || slot >= mEntries.size())
        return nullptr;
    Entry& entry = mEntries[slot];
    if (entry.id != id || (entry.state != kLive && entry.state != kRemoved))
        return nullptr;
    return &entry;
}

const ObjectDatabase::Entry* ObjectDatabase::FindEntry(ObjectID id) const
{
    return const_cast<ObjectDatabase*>(this)->FindEntry(id);
}

ObjectDatabase::Entry* ObjectDatabase::FindLive(ObjectID id)
{
    Entry* entry = FindEntry(id);
    return entry && entry->state == kLive ? entry : nullptr;
}

ObjectDatabase::Entry* ObjectDatabase::FindLive(const Object* object)
{
    Entry* entry = object ? FindLive(object->GetID()) : nullptr;
    return entry && entry->object == object ? entry : nullptr;
}

ObjectID ObjectDatabase::Add(Object* object)
{
    if (!object)
        return kNoObject;
    NoteDynamicType();
    if (Entry* entry = FindLive(object))
        return entry->id;

    // Removed but not yet freed: the old entry lets go of the object, so that freeing it deletes
    // nothing; its handle is stale already and leaves the lists when the entry is freed.
    if (Entry* old = FindEntry(object->GetID()); old && old->object == object)
        old->object = nullptr;

    // Ask the object about itself first: its answers are its own code, which
    // could even add objects, so no slot is taken before.
    const Label name = object->GetName();
    std::vector<Label> groups;
    for (int index = 0; index < kMaxGroupsPerObject; ++index)
    {
        const Label group = object->GetGroup(index);
        if (group.IsNull())
            break;
        groups.push_back(group);
    }

    if (mFreeSlots.empty())
    {
        if (mEntries.size() >= Internal::kMaxObjectSlots)
            throw RuntimeError("The object database is full.", __FILE__, __LINE__, "Corvane::ObjectDatabase::Add");
        mEntries.emplace_back();
        mFreeSlots.push_back(static_cast<std::uint32_t>(mEntries.size() - 1));
    }

    const std::uint32_t slot = mFreeSlots.front();
    mFreeSlots.pop_front();
    Entry& entry = mEntries[slot];
    entry.state = kLive;
    entry.object = object;
    entry.drawable = dynamic_cast<IDrawable*>(object);
    entry.bounds = dynamic_cast<IBounds*>(object);
    entry.inputHandler = dynamic_cast<IInputHandler*>(object);
    entry.enable = dynamic_cast<IEnable*>(object);
    entry.visible = dynamic_cast<IVisible*>(object);
    entry.id = Internal::MakeObjectID(slot, Internal::NextGeneration(Internal::GenerationOf(entry.id)));
    entry.name = name;
    entry.groups = groups;
    const ObjectID id = entry.id;
    object->mID = id;

    if (entry.drawable)
        mDrawList.push_back(id);
    if (!name.IsNull())
        mNames[name] = id;
    for (Label group : groups)
        mGroups[group].push_back(id);

    object->HandleMessage(ObjectMessage(kNoObject, Messages::Add()));
    return id;
}

Object* ObjectDatabase::Get(ObjectID id) const
{
    const Entry* entry = FindEntry(id);
    return entry && entry->state == kLive ? entry->object : nullptr;
}

void ObjectDatabase::Remove(ObjectID id)
{
    Entry* entry = FindLive(id);
    if (!entry)
        return;
    entry->state = kRemoved;
    Object* object = entry->object;
    const Label name = entry->name;

    if (mFocus == id)
        SetFocus(nullptr);
    if (mCapture == id)
        SetCapture(nullptr);
    if (mHover == id)
        mHover = kNoObject;
    // The name may have passed to an object added later under it; that one keeps it.
    if (!name.IsNull())
        if (auto it = mNames.find(name); it != mNames.end() && it->second == id)
            mNames.erase(it);
    // The object may remove what belongs to it (a node its children) from the current database:
    // that must be this one, whichever screen is on top.
    CurrentDatabaseScope current(this);
    object->HandleMessage(ObjectMessage(kNoObject, Messages::Remove()));
}

Object* ObjectDatabase::FindByName(Label name) const
{
    auto it = mNames.find(name);
    return it == mNames.end() ? nullptr : Get(it->second);
}

std::list<ObjectID>& ObjectDatabase::GetGroup(Label group)
{
    return mGroups[group];
}

void ObjectDatabase::Update(float dt)
{
    NoteDynamicType();
    Walk walk(*this);
    for (std::uint32_t slot = 0; slot < mEntries.size(); ++slot)
        if (mEntries[slot].state == kLive)
            mEntries[slot].object->Update(dt);
    // Freed when the outermost walk ends: at once, unless this update runs inside a broadcast or
    // an input dispatch of this database.
    mFreePending = true;
}

void ObjectDatabase::FreeRemoved()
{
    CurrentDatabaseScope current(this);
    std::set<Label> touchedGroups;
    bool touchedDrawList = false;
    for (std::uint32_t slot = 0; slot < mEntries.size(); ++slot)
    {
        if (mEntries[slot].state != kRemoved)
            continue;
        touchedGroups.insert(mEntries[slot].groups.begin(), mEntries[slot].groups.end());
        touchedDrawList = touchedDrawList || mEntries[slot].drawable;
        FreeEntry(slot);
    }
    // One pass per list keeps freeing linear however many objects go at once.
    auto stale = [this](ObjectID id) { return FindEntry(id) == nullptr; };
    if (touchedDrawList)
        std::erase_if(mDrawList, stale);
    for (Label group : touchedGroups)
        mGroups[group].remove_if(stale);
}

void ObjectDatabase::FreeEntry(std::uint32_t slot)
{
    Entry& entry = mEntries[slot];
    Object* object = entry.object;
    const ObjectID id = entry.id;
    entry = Entry();
    entry.state = kFreed;
    entry.id = id; // the next occupant's generation follows on from it
    mFreeSlots.push_back(slot);
    delete object; // may add or remove objects: the entry is settled before
}

void ObjectDatabase::SortDrawList()
{
    // Depths are read once, so that a depth changing while the list is sorted cannot upset the sort.
    std::vector<std::pair<float, ObjectID>> keyed;
    keyed.reserve(mDrawList.size());
    for (ObjectID id : mDrawList)
    {
        const Entry* entry = FindEntry(id);
        keyed.emplace_back(entry && entry->drawable ? entry->drawable->GetDepth() : 0.0f, id);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        mDrawList[i] = keyed[i].second;
}

void ObjectDatabase::Broadcast(const ObjectMessage& message)
{
    NoteDynamicType();
    if (Current() != this)
    {
        // Receivers find this screen through Current () and GetCurrentApplicationMode ().
        CurrentDatabaseScope current(this);
        std::optional<Internal::CurrentApplicationModeScope> mode;
        if (mMode)
            mode.emplace(mMode);
        Broadcast(message);
        return;
    }
    Walk walk(*this);
    OnMessage(message);
    for (std::uint32_t slot = 0; slot < mEntries.size(); ++slot)
        if (mEntries[slot].state == kLive)
            mEntries[slot].object->HandleMessage(message);
}

void ObjectDatabase::SetFocus(Object* object)
{
    const Entry* holder = FindEntry(mFocus);
    Object* old = holder ? holder->object : nullptr;
    if (object == old)
    {
        if (!object)
            mFocus = kNoObject;
        return;
    }
    if (object && !FindLive(object))
        return;
    // The old holder lets go before it hears of it, so that a handler that moves the focus or
    // removes its object meets a settled state.
    mFocus = kNoObject;
    if (old)
        old->HandleMessage(ObjectMessage(kNoObject, Messages::LostFocus()));
    if (!object)
        return;
    object->HandleMessage(ObjectMessage(kNoObject, Messages::ReceivedFocus()));
    // The handler may have removed the object.
    if (FindLive(object))
        mFocus = object->GetID();
}

void ObjectDatabase::SetCapture(Object* object)
{
    if (object && !FindLive(object))
        return;
    mCapture = object ? object->GetID() : kNoObject;
    if (IPlatform* platform = IPlatform::GetInstance())
    {
        if (object)
            platform->CaptureMouse();
        else
            platform->ReleaseMouse();
    }
}
} // namespace Corvane
