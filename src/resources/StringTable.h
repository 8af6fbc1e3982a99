#pragma once
#include <QString>
// Returns the string stored under a resource id, or an empty string when there is none.
QString LoadResString(int id);
// True when the table holds a string under id (tool tips are registered only for those).
bool HasResString(int id);
