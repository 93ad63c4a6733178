#pragma once

class Database;

// The makers' sheets shipped with the program reach a personal catalogue
// copied from an older one: once for each new shipped catalogue (told by
// its user_version). Each personal catalogue remembers, in its own
// MAKERSHEETS table, the sheets it has been given, so a sheet the user
// deleted stays deleted; a type of the same name, whatever the user did to
// it, is never touched.
namespace shippedsheets {

// The sheets added; -1 when the personal catalogue could not be updated
// (it is then left as it was).
int update(Database &personal, Database &shipped);

} // namespace shippedsheets
