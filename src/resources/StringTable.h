#pragma once
#include <QString>
// Returns the string stored under a resource id, in the user's language, or an empty string
// when there is none.
QString LoadResString(int id);
// The same string as the program's source holds it, for names that are stored or compared.
QString LoadResSourceString(int id);
// True when the table holds a string under id (tool tips are registered only for those).
bool HasResString(int id);
