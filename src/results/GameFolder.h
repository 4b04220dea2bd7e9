// Where the game is installed.
#pragma once

// The registry key and value that name the game's folder, and the folder
// assumed without them.
constexpr const char* kGameRegistryKey = "Software\\Brightfold Ltd\\Gafferline Gold";
constexpr const char* kGameRegistryValue = "Location";
constexpr const char* kDefaultGameFolder = "C:\\Program Files\\Gafferline Gold";
