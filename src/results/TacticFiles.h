// Which tactic files a folder holds, read once per loaded results file so
// that a new tactic name costs a set lookup instead of a failed file open.
#pragma once

struct TacticFileListing;

// Lists the ".tct" files of folder; null when the folder cannot be listed
// (every name must then be tried on disk).
TacticFileListing* TacticFileListing_Read(const char* folder);

void TacticFileListing_Destroy(TacticFileListing* listing);

// false only when the listing shows that name.tct is surely absent. Names
// are compared without regard to ASCII case, as Windows file names are; a
// name with other characters is ruled out only when no tactic file's name
// has such characters.
bool TacticFileListing_MayExist(const TacticFileListing* listing, const char* name);

// Whether name can stand for a file in the tactics folder at all: not empty
// and without a folder separator or drive colon.
bool TacticFile_IsPlainName(const char* name);
