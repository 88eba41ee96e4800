// The registry of one screen's live objects. It owns them, hands out handles that go stale safely,
// finds objects by handle, name and group, runs every live object's tasks once per update,
// delivers and broadcasts messages, keeps keyboard focus, mouse capture and the hovered object,
// and routes input to the objects' input handlers.
//
// Removal only marks an object: it stays in its slot (resolving to nothing) until the end of the
// update pass, which deletes it and frees the slot. Every walk over the objects re-reads the
// table's size and skips what was removed meanwhile, so handlers may add and remove objects while
// the database updates, broadcasts or routes input. Main thread only; no locks.
#pragma once

#include "Framework/ObjectID.h"
#include "Framework/ObjectMessage.h"
#include "Label.h"

#include <deque>
#include <list>
#include <map>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace Corvane
{
class ApplicationMode;
class IBounds;
class IDrawable;
class IEnable;
class IInputHandler;
class IVisible;
class Object;

class ObjectDatabase
{
public:
    ObjectDatabase();
    // Deletes every object it still holds.
    virtual ~ObjectDatabase();
    ObjectDatabase(const ObjectDatabase&) = delete;
    ObjectDatabase& operator=(const ObjectDatabase&) = delete;

    // The database's own message hook: sees every broadcast before the objects do.
    virtual void OnMessage(const ObjectMessage&) {}
    // Input routing (below). True when an object took the event.
    virtual bool OnKeyDown(int key);
    virtual bool OnKeyUp(int key);
    virtual bool OnMouseMove(int x, int y);
    virtual bool OnMouseDown(int button, int x, int y);
    virtual bool OnMouseUp(int button, int x, int y);
    virtual bool OnMouseWheel(float amount, int x, int y);
    // Ends the hover; always false.
    virtual bool OnMouseLeave();
    virtual bool OnText(const std::wstring& text);

    // The database of the current application mode; while a database broadcasts or deletes its
    // objects, that database. Null when there is none.
    static ObjectDatabase* Current();

    // Registers object (owned from now on) and returns its handle; it receives "Add". An object
    // already live here keeps its handle and gets no second "Add". Throws RuntimeError when all
    // 65,535 slots are taken (the caller then still owns the object).
    ObjectID Add(Object* object);
    // The live object with exactly this handle, else null.
    Object* Get(ObjectID id) const;
    bool IsValid(ObjectID id) const { return Get(id) != nullptr; }
    // Marks the object removed: it resolves to nothing from now on, gives up focus ("LostFocus"),
    // capture and hover, loses its name, receives "Remove", and is deleted at the end of the
    // update pass. Stale handles and -1 do nothing.
    void Remove(ObjectID id);
    // The live object last added under name, else null.
    Object* FindByName(Label name) const;
    // The handles of the group's objects in the order added (created empty on first use). Removed
    // objects stay listed until they are deleted: resolve each handle with Get.
    std::list<ObjectID>& GetGroup(Label group);

    // Updates every live object in slot order (objects added meanwhile in later slots too),
    // deletes the removed ones and sorts the drawables by depth.
    void Update(float dt);
    // OnMessage, then every live object in slot order, with Current () giving this database.
    void Broadcast(const ObjectMessage& message);

    Object* GetFocus() const { return Get(mFocus); }
    Object* GetCapture() const { return Get(mCapture); }
    ObjectID GetHover() const { return mHover; }
    // Gives keyboard focus to object (null: to nobody), sending "LostFocus" to the old holder and
    // "ReceivedFocus" to the new one. An object that is not live here is refused.
    void SetFocus(Object* object);
    // Gives mouse capture to object (null: to nobody) and tells the platform to capture or release
    // the mouse. An object that is not live here is refused.
    void SetCapture(Object* object);
    // Moves keyboard focus to the next (backward: previous) object in draw order that can take
    // it, wrapping around; sends no focus messages. Screens that order their controls otherwise
    // (the scene-graph screen) override it.
    virtual void MoveFocus(bool backward);

    // Handles of the drawables, in ascending depth as of the last update.
    const std::vector<ObjectID>& GetDrawList() const { return mDrawList; }
    // Number of slots in the table, whatever their state.
    int GetSize() const { return static_cast<int>(mEntries.size()); }

protected:
    // For screens that route input themselves. A walk over the table: while one lasts, removed
    // objects keep their slots, so handlers may remove objects without freeing anything.
    class Walk
    {
    public:
        explicit Walk(ObjectDatabase& database) : mDatabase(database) { ++mDatabase.mWalkDepth; }
        ~Walk();
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

    private:
        ObjectDatabase& mDatabase;
    };

    // The live object in slot, else null.
    Object* GetObjectInSlot(std::uint32_t slot) const;
    // The input handler of the object in slot when it may take input now (live, enabled,
    // visible), else null.
    IInputHandler* GetInputHandlerInSlot(std::uint32_t slot) const;
    // Whether object, live here, may hold keyboard focus (as MoveFocus decides).
    bool CanTakeFocus(const Object* object) const;

private:
    friend class ApplicationMode;

    enum State
    {
        kEmpty = 0,
        kLive = 1,
        kRemoved = 2,
        kFreed = 3
    };

    struct Entry
    {
        int state = kEmpty;
        Object* object = nullptr;
        IDrawable* drawable = nullptr;
        IBounds* bounds = nullptr;
        IInputHandler* inputHandler = nullptr;
        IEnable* enable = nullptr;
        IVisible* visible = nullptr;
        ObjectID id = kNoObject;
        // As registered at Add, so that removal and freeing undo exactly what Add did.
        Label name;
        std::vector<Label> groups;
    };

    // The entry whose id is exactly id, live or removed; null otherwise.
    Entry* FindEntry(ObjectID id);
    const Entry* FindEntry(ObjectID id) const;
    // The live entry of id, or of object; null otherwise.
    Entry* FindLive(ObjectID id);
    Entry* FindLive(const Object* object);
    void FreeRemoved();
    void FreeEntry(std::uint32_t slot);
    void SortDrawList();
    void NoteDynamicType() { mDynamicType = &typeid(*this); }

    bool CanTakeInput(const Entry& entry) const;
    bool CanTakeFocus(const Entry& entry) const;
    template <typename Call> bool Dispatch(ObjectID first, bool exclusive, const Call& call);
    void UpdateHover(int x, int y);
    void BroadcastFrom(ObjectID sender, Label name);

    std::vector<Entry> mEntries;
    std::vector<ObjectID> mDrawList;
    std::unordered_map<Label, ObjectID> mNames;
    std::map<Label, std::list<ObjectID>> mGroups;
    std::deque<std::uint32_t> mFreeSlots;
    ObjectID mFocus = kNoObject;
    ObjectID mCapture = kNoObject;
    ObjectID mHover = kNoObject;

    // The screen this database belongs to, made current during a broadcast; null when none.
    ApplicationMode* mMode = nullptr;
    int mWalkDepth = 0;
    bool mFreePending = false;
    const std::type_info* mDynamicType = nullptr;
};
} // namespace Corvane
