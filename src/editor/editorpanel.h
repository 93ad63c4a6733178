#pragma once

#include "labelformatting.h"

#include <QObject>
#include <QTextDocument>

class Choosers;
class LabelEditor;
class QFrame;
class QPushButton;
class QWidget;

// The label editor and its editing frame `F_etiq`: the formatting buttons,
// the scratch document `T_calcul`, and the commands behind them.
class EditorPanel : public QObject {
    Q_OBJECT
public:
    EditorPanel(QWidget *window, Choosers &choosers);

    // Places the editor (twips, window coordinates) and the frame under it,
    // centred in an area `areaWidth` wide.
    void place(const QRect &editorTwips, int areaWidth);

    LabelEditor *T_etiquet = nullptr;
    QTextDocument T_calcul;
    QFrame *F_etiq = nullptr;
    QPushButton *B_police = nullptr;
    QPushButton *B_couleur = nullptr;
    QPushButton *B_copier = nullptr;
    QPushButton *B_couper = nullptr;
    QPushButton *B_coller = nullptr;
    QPushButton *B_date = nullptr;
    QPushButton *B_effac = nullptr;
    QPushButton *B_hautetiq = nullptr;
    QWidget *pictureControls = nullptr;   // the picture panel lays its controls here

public slots:
    void police();
    void couleur();
    void copier();
    void couper();
    void coller();
    void insererDate(const QDate &date = QDate::currentDate());
    void focustexte();
    void effacerTexte();
    void hautEtiquette();

private:
    void updateButtons();

    Choosers &m_choosers;
    LabelFormatting m_formatting;
};
