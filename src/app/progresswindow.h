#pragma once

#include <QWidget>

class QProgressBar;

// `CALCUL`: shown by long operations, advanced once per label.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow(int labelCount, QWidget *parent = nullptr);

    static inline const QString caption =
        QStringLiteral("          Traitement en cours:Patienter ....         ");

    QProgressBar *P_calcul = nullptr;
};
