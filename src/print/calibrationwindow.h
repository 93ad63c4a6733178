#pragma once

#include "print/printoutcome.h"

#include <QWidget>

#include <functional>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppState;

// `AJUST`: prints the test square, takes the margins measured on paper and
// turns them into the printer corrections, kept in etiq.ini.
class CalibrationWindow : public QWidget {
    Q_OBJECT
public:
    using PagePrinter = std::function<PrintOutcome(const PageDrawing &)>;

    CalibrationWindow(AppState &state, Dialogs &dialogs, PagePrinter print, std::function<void()> openHelp,
                      QWidget *parent);

    static const QString openingText;
    static const QString measuringText;
    static const QString correctedText;
    static const QString resetText;

    QPushButton *B_imprim = nullptr;
    QLineEdit *T_mesureH = nullptr;
    QLineEdit *T_mesureV = nullptr;
    QPushButton *B_correct = nullptr;
    QPushButton *B_init = nullptr;
    QPushButton *B_doc = nullptr;
    QPushButton *B_finajust = nullptr;
    QLabel *E_message = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void B_imprim_Click();
    void B_correct_Click();
    void B_init_Click();
    void T_mesure_Change();
    void enableMeasures(bool enabled);
    bool save(double deltaH, double deltaV);

    AppState &m_state;
    Dialogs &m_dialogs;
    PagePrinter m_print;
};
