// The object database's input routing: keyboard focus, mouse capture, the hovered object.
//
// An event goes first to the holder of focus (keys, text) or capture (mouse); the holder of focus
// for text and the holder of capture take the event even when their handler declines it, as long
// as they can take input (live, enabled, visible). Then the drawables are offered it from the
// topmost down, then the objects that are not drawn, in slot order, until one takes it.
#include "Framework/IBounds.h"
#include "Framework/IEnable.h"
#include "Framework/IInputHandler.h"
#include "Framework/IVisible.h"
#include "Framework/Object.h"
#include "Framework/ObjectDatabase.h"

namespace Corvane
{
bool ObjectDatabase::CanTakeInput(const Entry& entry) const
{
    return entry.state == kLive && entry.inputHandler && (!entry.enable || entry.enable->IsEnabled()) &&
           (!entry.visible || entry.visible->IsVisible());
}

bool ObjectDatabase::CanTakeFocus(const Entry& entry) const
{
    return CanTakeInput(entry) && entry.inputHandler->CanTakeFocus();
}

bool ObjectDatabase::CanTakeFocus(const Object* object) const
{
    const Entry* entry = object ? FindEntry(object->GetID()) : nullptr;
    return entry && entry->object == object && CanTakeFocus(*entry);
}

Object* ObjectDatabase::GetObjectInSlot(std::uint32_t slot) const
{
    return slot < mEntries.size() && mEntries[slot].state == kLive ? mEntries[slot].object : nullptr;
}

IInputHandler* ObjectDatabase::GetInputHandlerInSlot(std::uint32_t slot) const
{
    return slot < mEntries.size() && CanTakeInput(mEntries[slot]) ? mEntries[slot].inputHandler : nullptr;
}

template <typename Call> bool ObjectDatabase::Dispatch(ObjectID first, bool exclusive, const Call& call)
{
    // Handlers may add objects (appended to the table and the draw list) and remove them (only
    // marked) while the walk goes on; nothing is freed or reordered before it ends.
    Walk walk(*this);
    if (Entry* holder = FindLive(first); holder && CanTakeInput(*holder))
    {
        if (call(*holder->inputHandler) || exclusive)
            return true;
    }
    for (std::size_t i = mDrawList.size(); i-- > 0;)
    {
        const ObjectID id = mDrawList[i];
        Entry* entry = id == first ? nullptr : FindLive(id);
        if (entry && CanTakeInput(*entry) && call(*entry->inputHandler))
            return true;
    }
    for (std::uint32_t slot = 0; slot < mEntries.size(); ++slot)
    {
        Entry& entry = mEntries[slot];
        if (entry.drawable || entry.id == first || !CanTakeInput(entry))
            continue;
        if (call(*entry.inputHandler))
            return true;
    }
    return false;
}

bool ObjectDatabase::OnKeyDown(int key)
{
    return Dispatch(mFocus, false, [key](IInputHandler& handler) { return handler.KeyDown(key); });
}

bool ObjectDatabase::OnKeyUp(int key)
{
    return Dispatch(mFocus, false, [key](IInputHandler& handler) { return handler.KeyUp(key); });
}

bool ObjectDatabase::OnText(const std::wstring& text)
{
    return Dispatch(mFocus, true, [&text](IInputHandler& handler) { return handler.Char(text); });
}

bool ObjectDatabase::OnMouseMove(int x, int y)
{
    UpdateHover(x, y);
    return Dispatch(mCapture, true, [x, y](IInputHandler& handler) { return handler.MouseMove(x, y); });
}

bool ObjectDatabase::OnMouseDown(int button, int x, int y)
{
    return Dispatch(mCapture, true, [button, x, y](IInputHandler& handler) { return handler.MouseDown(button, x, y); });
}

bool ObjectDatabase::OnMouseUp(int button, int x, int y)
{
    return Dispatch(mCapture, true, [button, x, y](IInputHandler& handler) { return handler.MouseUp(button, x, y); });
}

bool ObjectDatabase::OnMouseWheel(float amount, int x, int y)
{
    return Dispatch(mCapture, true,
                    [amount, x, y](IInputHandler& handler) { return handler.MouseWheel(amount, x, y); });
}

bool ObjectDatabase::OnMouseLeave()
{
    if (mHover != kNoObject)
    {
        const ObjectID old = mHover;
        BroadcastFrom(old, Messages::ControlLeave());
        if (mHover == old)
            mHover = kNoObject;
    }
    return false;
}

void ObjectDatabase::BroadcastFrom(ObjectID sender, Label name)
{
    Broadcast(ObjectMessage(sender, name));
}

void ObjectDatabase::UpdateHover(int x, int y)
{
    Walk walk(*this);
    for (std::size_t i = mDrawList.size(); i-- > 0;)
    {
        const ObjectID id = mDrawList[i];
        Entry* entry = FindLive(id);
        if (!entry || !entry->bounds || !CanTakeInput(*entry))
            continue;
        if (entry->bounds->HitTest(static_cast<float>(x), static_cast<float>(y)))
        {
            if (mHover != id)
            {
                if (mHover != kNoObject)
                {
                    BroadcastFrom(mHover, Messages::ControlLeave());
                    mHover = kNoObject;
                }
                // A leave handler may have removed the object under the mouse.
                if (!FindLive(id))
                    return;
                mHover = id;
                BroadcastFrom(id, Messages::ControlEnter());
            }
            return;
        }
        if (mHover == id)
        {
            BroadcastFrom(id, Messages::ControlLeave());
            mHover = kNoObject;
        }
    }
}

void ObjectDatabase::MoveFocus(bool backward)
{
    const std::size_t count = mDrawList.size();
    std::size_t at = count; // the focus's position, or count when it is not in the list
    for (std::size_t i = 0; i < count; ++i)
        if (mDrawList[i] == mFocus && mFocus != kNoObject)
        {
            at = i;
            break;
        }

    // Every other position once, in draw order (backward: reversed) from the one after the focus,
    // wrapping around; the whole list when the focus is not in it.
    const bool found = at < count;
    const std::size_t steps = found ? count - 1 : count;
    for (std::size_t step = 0; step < steps; ++step)
    {
        std::size_t i;
        if (!backward)
            i = found ? (at + 1 + step) % count : step;
        else
            i = found ? (at + count - 1 - step) % count : count - 1 - step;
        const Entry* entry = FindLive(mDrawList[i]);
        if (entry && CanTakeFocus(*entry))
        {
            mFocus = mDrawList[i];
            return;
        }
    }
}
} // namespace Corvane
