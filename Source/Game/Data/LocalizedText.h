// The player-visible texts of the game screens, looked up by key in the manifest "LocalizedText":
// a single text is a "string" value resource named by its key, a set of variants a "stringarray"
// from which one entry is picked at random. Each lookup has a fixed fallback for a missing key.
// Main thread.
#pragma once

#include "Label.h"

#include <string>

class LocalizedText
{
public:
    // The service; the first call loads "LocalizedText" (see Load).
    static LocalizedText& Instance();
    // Loads the manifest "LocalizedText" and waits for it; an error of the load is shown in an
    // error box and the texts read so far stay. Instance calls it once.
    static void Load();

    // The text of key, or "Text not Found".
    static std::wstring GetText(Corvane::Label key);
    // The text of key, or empty text.
    static std::wstring GetTextByName(const std::wstring& key);
    // "EpisodeNumStr" with every "%1%" replaced by n.
    static std::wstring GetEpisodeNumberText(int n);
    // "EpisodeTitle.<n>".
    static std::wstring GetEpisodeTitle(int n);
    // "InGame.ComponentText.<name>", else the name itself (empty for the null label).
    static std::wstring GetComponentText(Corvane::Label name);
    // "<name>_DisplayText" and "<name>.AttLabelText", else "Text not Found"; empty for no name.
    static std::wstring GetDisplayText(const char* name);
    static std::wstring GetAttributeLabelText(const char* name);
    // "DishDisplayName.<recipe>", else entry plateType of "DishDisplayName.DefaultStrings" (empty
    // when there is no such entry).
    static std::wstring GetDishDisplayName(Corvane::Label recipe, int plateType);
    // The cutscene line textID, else "Cutscene Text '<textID>' Not Found".
    static std::wstring GetCutsceneText(Corvane::Label textID);

    // Random remarks of the judges; empty text when the list is missing or empty. host: Veyla,
    // else Orvel. stars 0 to 5; outcome 0 lost, 1 won, 2 won with expert honours.
    static std::wstring GetIngredientFeedback(bool host);
    static std::wstring GetComboFeedback(bool host);
    static std::wstring GetDishFeedback(int stars);
    static std::wstring GetOverallFeedback(int outcome);

private:
    LocalizedText() = default;
};
