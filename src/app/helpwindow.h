#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;

// `Feuille4`: the help text, read from etiquet.rtf beside the program,
// opened at its top in the middle of the screen. A text longer than the
// reader takes is shown cut, with a note saying so.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString &programDir, QWidget *parent = nullptr);

    QTextEdit *T_aide = nullptr;
    QPushButton *B_fin = nullptr;
    QLabel *E_tronque = nullptr;
};
