#pragma once

#include "editor/sheetlayout.h"
#include "editor/workingsheet.h"
#include "print/printoutcome.h"
#include "print/renderoptions.h"
#include "storage/appstate.h"
#include "storage/database.h"

#include <QPointer>
#include <QWidget>

class Choosers;
class CalibrationWindow;
class CatalogueWindow;
class ContactWindow;
class Dialogs;
class EditorPanel;
class Environment;
class FunctionList;
class HelpWindow;
class LibraryFrame;
class PagePanel;
class TemplatePanel;
class PicturePanel;
class PreviewWindow;
class SheetPanel;
class QCheckBox;
class QFrame;
class QGroupBox;
class QRadioButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class SheetView;

// Feuille1, the main window: the whole program lives in it. It owns the
// shared state and the working database for the whole run, and composes the
// panels: the label editor, the sheet, the page frame and the function list.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(const Environment &environment, Dialogs &dialogs, Choosers &choosers, QWidget *parent = nullptr);
    MainWindow(const Environment &&, Dialogs &, Choosers &, QWidget * = nullptr) = delete; // kept by reference
    ~MainWindow() override;

    // The start-up sequence; false when the program must end at once.
    bool Form_Load(const QString &workingFolder);

    // Lays out the sheet of the current type: editor, cells, numbers.
    void createtiq();

    AppState &state() { return m_state; }
    Database &workingDatabase() { return m_working; }
    const SheetLayout &layout() const { return m_layout; }
    WorkingSheet &sheet() { return m_sheet; }

    // Design size of the window, in twips.
    static constexpr int designWidth = 15240;
    static constexpr int designHeight = 11280;

    EditorPanel *editor = nullptr;
    PicturePanel *picture = nullptr;
    SheetPanel *sheetPanel = nullptr;
    SheetView *I_page = nullptr;
    QFrame *F_page = nullptr;
    QLineEdit *T_nombre = nullptr;
    QLabel *E_texte = nullptr;
    QLabel *E_gauche = nullptr;
    QLabel *E_rappel = nullptr;
    QLabel *E_nombre = nullptr;
    QLabel *E_screen = nullptr;
    QPushButton *B_effpage = nullptr;
    FunctionList *L_fonction = nullptr;
    QListWidget *L_etiq = nullptr;
    QLineEdit *T_chercheetiq = nullptr;   // finds a type in L_etiq as the user types
    QPushButton *B_aide = nullptr;
    QPushButton *B_contact = nullptr;
    QPushButton *B_finapp = nullptr;
    QGroupBox *F_mode = nullptr;
    QRadioButton *O_normal = nullptr;
    QRadioButton *O_pixel = nullptr;
    QCheckBox *C_decoupe = nullptr;
    LibraryFrame *F_modele = nullptr;
    TemplatePanel *templates = nullptr;
    PagePanel *pages = nullptr;

public slots:
    void B_finapp_Click();
    void B_aide_Click();
    void B_contact_Click();
    void openCatalogue();
    void L_fonction_Click(const QString &entry);
    void configxp();
    void imprimer();
    void ajuster();
    void L_etiq_Click(const QString &name);
    void B_okmodele_Click();
    void O_pixel_Click();
    void O_normal_Click();
    void openPreview();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void buildPageFrame();
    void buildFunctionArea();
    void buildLibrary();
    // The sheet, already cleared, rebuilt for another type.
    void changeType(const SheetType &type);
    void placeControls();
    void placePageFrame();
    void selectpage();
    void hideTypeList();   // L_etiq and its search field
    PrintOutcome impression();
    PrintOutcome impressionPixels();
    RenderOptions printOptions() const;
    void Form_QueryUnload();
    void Form_Activate();
    void Form_Paint();
    void Form_Click();
    void centre();
    void watchOwnWindow(QWidget *window);

    const Environment &m_environment;
    Dialogs &m_dialogs;
    Choosers &m_choosers;
    AppState m_state;
    Database m_working;
    SheetLayout m_layout;
    WorkingSheet m_sheet{m_working};
    QString m_startDir;
    QPointer<HelpWindow> m_help;
    QPointer<ContactWindow> m_contact;
    QPointer<CatalogueWindow> m_catalogue;
    QPointer<CalibrationWindow> m_calibration;
    QPointer<PreviewWindow> m_preview;
    bool m_printerSetupPending = false;
    bool m_loaded = false;
    bool m_backFromOwnWindow = false;
    bool m_templateMode = true;   // F_modele shows the templates, else the pages
};
