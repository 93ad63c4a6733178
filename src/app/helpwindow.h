#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;

// `Feuille4`: the help text, read from etiquet.rtf beside the program.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString &programDir, QWidget *parent = nullptr);

    QTextEdit *T_aide = nullptr;
    QPushButton *B_fin = nullptr;
};
