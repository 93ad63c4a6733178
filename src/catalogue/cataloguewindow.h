#pragma once

#include "sheetcatalogue.h"
#include "sheetsample.h"

#include <QWidget>

#include <array>

struct AppState;
class Database;
class Dialogs;
class FieldFilterBinding;
class ListFilter;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SampleView;

// Feuille3, "CATALOGUE ETIQUETTES": lists the label-sheet types of the
// working database, shows the selected one with a scaled sample, and adds,
// modifies, deletes and undoes. Construct it, call Form_Load(), show it; it
// emits closed() when it goes (the main window shows itself again) and
// helpRequested() for "AIDE".
class CatalogueWindow : public QWidget {
    Q_OBJECT
public:
    CatalogueWindow(const AppState &state, Database &working, Dialogs &dialogs, QWidget *parent = nullptr);
    ~CatalogueWindow() override;

    // Design size, in twips.
    static constexpr int designWidth = 11100;
    static constexpr int designHeight = 8100;

    void Form_Load();
    void charglistetiq();
    void selectpage();
    void createtiq();
    void reperage();

    SheetCatalogue &catalogue() { return m_catalogue; }
    bool isReady() const { return m_ready; }
    double scale() const { return m_scale; }
    // The numbers `reperage` printed beside the sample.
    const QList<SheetSample::Number> &rowNumbers() const { return m_rowNumbers; }
    const QList<SheetSample::Number> &columnNumbers() const { return m_columnNumbers; }

    QComboBox *L_etiq = nullptr;
    QLineEdit *T_cherche = nullptr;
    QLabel *E_page = nullptr;
    QLabel *E_etiq = nullptr;
    SampleView *I_page = nullptr;
    QGroupBox *F_fonction = nullptr;
    QRadioButton *O_ajout = nullptr;
    QRadioButton *O_modif = nullptr;
    QRadioButton *O_sup = nullptr;
    QPushButton *B_ok = nullptr;
    QPushButton *B_annul = nullptr;
    QPushButton *B_doc = nullptr;
    QPushButton *B_finpagetiq = nullptr;
    QLabel *E_symbole = nullptr;
    // Margins left, right, top, bottom, label width, label height (mm);
    // element i is named "T_dim(i)".
    std::array<QLineEdit *, 6> T_dim{};
    QLineEdit *T_rangees = nullptr;
    QLineEdit *T_colonnes = nullptr;

public slots:
    void L_etiq_Click();
    void O_modif_Click();
    void B_ok_Click();
    void B_annul_Click();
    void B_doc_Click();
    void B_finpagetiq_Click();

signals:
    void closed();
    void helpRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    SheetCatalogue::Mode mode() const;
    SheetCatalogue::Fields fields() const;
    void showFields(const SheetCatalogue::Fields &fields);
    void selectName(const QString &nom);

    const AppState &m_state;
    Dialogs &m_dialogs;
    SheetCatalogue m_catalogue;
    FieldFilterBinding *m_filters = nullptr;
    // False while loading and while the list is reselected by the program: a
    // selection then redraws nothing.
    bool m_ready = false;
    ListFilter *m_search = nullptr;
    double m_scale = 0;
    QList<SheetSample::Number> m_rowNumbers;
    QList<SheetSample::Number> m_columnNumbers;
};
