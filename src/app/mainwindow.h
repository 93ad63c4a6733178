#pragma once

#include "storage/appstate.h"
#include "storage/database.h"

#include <QWidget>

class Dialogs;
class Environment;
class QPushButton;

// Feuille1, the main window: the whole program lives in it. It owns the
// shared state and the working database for the whole run.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(const Environment &environment, Dialogs &dialogs, QWidget *parent = nullptr);
    MainWindow(const Environment &&, Dialogs &, QWidget * = nullptr) = delete; // kept by reference
    ~MainWindow() override;

    // The start-up sequence; false when the program must end at once.
    bool Form_Load(const QString &workingFolder);

    AppState &state() { return m_state; }
    Database &workingDatabase() { return m_working; }

    // Design size of the window, in twips.
    static constexpr int designWidth = 15240;
    static constexpr int designHeight = 11280;

    QPushButton *B_finapp = nullptr;

public slots:
    void B_finapp_Click();
    void configxp();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void Form_QueryUnload();
    void Form_Activate();
    void Form_Paint();
    void centre();

    const Environment &m_environment;
    Dialogs &m_dialogs;
    AppState m_state;
    Database m_working;
    QString m_startDir;
    bool m_printerSetupPending = false;
    bool m_loaded = false;
};
