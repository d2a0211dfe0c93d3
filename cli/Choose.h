// Choosing a slot and a profile as the user names them on the command line: by number or position, or by name.
#pragma once

#include <string>

// A slot number (1 to 5) or an index into Profiles; Error says why none was found.
struct TChoice {
    int Value = 0;
    std::string Error;
};

// "1" to "5", or a slot's name in any ASCII letter case; an error when no slot or several slots have that name.
TChoice ChooseSlot(const std::string& text);

// The profile's position among the slot's profiles (from 1, as the page lists them), or its name in any ASCII letter
// case; an error when no profile or several have that name (it lists their positions). Gives the index in Profiles.
TChoice ChooseProfile(int slot, const std::string& text);
