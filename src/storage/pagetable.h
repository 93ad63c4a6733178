#pragma once

class Database;

// The rows of the page being edited (table PAGE), one per written label.
namespace pagetable {

bool clear(Database &db);
int count(Database &db);

} // namespace pagetable
