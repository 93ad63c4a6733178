#pragma once

#include <QByteArray>
#include <QString>

struct AppState;
struct PrinterFacts;
class Database;
class Dialogs;

// The widget-free part of the program's start: personal storage, settings
// and the current sheet type. The main window calls it from its load and
// binds the results to the screen.
class Startup {
public:
    struct Outcome {
        bool storageReady = false;    // the working database is open
        bool settingsRead = false;    // etiq.ini was found
    };

    Startup(AppState &state, Database &working, Dialogs &dialogs);

    // Writes ETIQ.TXT, the identification file, in the program's folder.
    static bool identauteur(const QString &programDir);

    // `emptyText` is the rich text of an empty label, written for each
    // shipped template at the first start.
    Outcome initialisation(const PrinterFacts &printer, const QByteArray &emptyText);

    // The last steps of the start: newer columns and the saved-page folder.
    void finishStorage();

private:
    bool openStorage();
    void loadSheetType(const QString &name);

    AppState &m_state;
    Database &m_working;
    Dialogs &m_dialogs;
};
