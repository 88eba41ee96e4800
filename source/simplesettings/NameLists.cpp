#include "NameLists.h"

#include "Conversions.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"

#include <algorithm>
#include <vector>

bool IsAttributeString(const std::string& name)
{
    using StringList = Corvane::Internal::ValueWrapper<std::vector<std::wstring>>;
    static const Corvane::Label kAttributeStrings("AttributeStrings");
    Corvane::ResourceManager* manager = Corvane::ResourceManager::InstanceIfCreated();
    if (!manager)
        return false;
    const StringList* list = dynamic_cast<const StringList*>(manager->Find(kAttributeStrings));
    if (!list)
        return false;
    const std::wstring wide = SimpleSettings::Widen(name.c_str());
    return std::find(list->value.begin(), list->value.end(), wide) != list->value.end();
}

int IndexOfString(const char* const* table, const std::string& name, int count)
{
    for (int i = 0; i < count; ++i)
        if (table[i] && name == table[i])
            return i;
    return -1;
}
