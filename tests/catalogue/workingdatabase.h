#pragma once

#include "programfolder.h"
#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/personalstore.h"

// A program folder set up as at first start, with its working database open.
struct WorkingDatabase {
    ProgramFolder program;
    Database db;
    bool open()
    {
        PersonalStore store(program.path());
        return program.isValid() && store.creatperso() && db.open(store.workingDatabase());
    }
    QList<SheetType> rows() { return etiqtable::allByName(db); }
};
