#include "importcommand.h"

#include "catalogue/makersheets.h"
#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/personalstore.h"

#include <QFileInfo>
#include <QTextStream>

int importSheets(const QStringList &files, const QString &programDir, QTextStream &out, QTextStream &err)
{
    for (const QString &file : files) {
        if (!QFileInfo(file).isFile()) {
            err << "Le fichier " << file << " n'existe pas." << Qt::endl;
            return 1;
        }
    }
    const PersonalStore store(programDir);
    Database personal;
    if (!QFileInfo(store.workingDatabase()).isFile() || !personal.open(store.workingDatabase())) {
        err << "Pas de catalogue personnel lisible (" << store.workingDatabase()
            << ") : démarrer le programme une fois d'abord." << Qt::endl;
        return 1;
    }
    const makersheets::Result read = makersheets::read(files);
    int added = 0;
    for (const SheetType &type : read.sheets) {
        if (etiqtable::find(personal, type.nom)) {
            out << "Écarté : " << type.nom << " : un type de ce nom existe déjà." << Qt::endl;
        } else if (!etiqtable::insert(personal, type)) {
            err << "Le catalogue personnel n'a pas pu être modifié : " << personal.lastError() << Qt::endl;
            return 1;
        } else {
            out << "Ajouté : " << type.nom << Qt::endl;
            ++added;
        }
    }
    for (const makersheets::Skipped &skipped : read.skipped)
        out << "Écarté : " << skipped.name << " : " << skipped.reason << Qt::endl;
    out << added << " type(s) ajouté(s)." << Qt::endl;
    return 0;
}
