// Replacing a file by another in one step.
#pragma once

// Moves the file at from to the path to, replacing a file that is there, so
// that to holds either its old or its new content at every moment. 0 on
// success, -1 on failure (nothing changed then).
int File_Replace(const char* from, const char* to);
