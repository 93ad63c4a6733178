#pragma once

#include "fakeenvironment.h"
#include "programfolder.h"
#include "scriptedchoosers.h"
#include "scripteddialogs.h"

#include "app/mainwindow.h"
#include "editor/labeleditor.h"
#include "storage/etiqtable.h"

#include <QPushButton>
#include <QTest>

#include <memory>

// A main window started on a fresh program folder, on a sheet type of the
// test's choosing, with scripted dialogs.
struct StartedWindow {
    ProgramFolder program;
    FakeEnvironment machine;
    ScriptedDialogs dialogs;
    ScriptedChoosers choosers;
    std::unique_ptr<MainWindow> window;

    explicit StartedWindow(const QString &type = QStringLiteral("3x8"))
    {
        window = std::make_unique<MainWindow>(machine, dialogs, choosers);
        if (window->Form_Load(program.path()))
            use(type);
    }
    // Controls are found by name, as a user finds them by their caption.
    template <class Control>
    Control *control(const char *name) const
    {
        return window->findChild<Control *>(QString::fromLatin1(name));
    }
    LabelEditor &labelEditor() const { return *control<LabelEditor>("T_etiquet"); }

    void use(const QString &type)
    {
        const std::optional<SheetType> found = etiqtable::find(window->workingDatabase(), type);
        QVERIFY2(found, qPrintable(QStringLiteral("no sheet type ") + type));
        window->state().initbd(*found);
        window->createtiq();
    }
    void use(const SheetType &type)
    {
        QVERIFY(etiqtable::find(window->workingDatabase(), type.nom)
                || etiqtable::insert(window->workingDatabase(), type));
        use(type.nom);
    }
};
