#pragma once

#include "labelformatting.h"

#include <QColor>
#include <QObject>
#include <QRect>
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

    // Places the editor and its frame (twips, window coordinates).
    void place(const QRect &editorTwips, const QRect &frameTwips);

    // What the other panels need of the editor; its controls stay private.
    QWidget *editorWidget() const;          // the picture floats over it
    QWidget *pictureControls() const { return m_pictureControls; }   // the picture panel lays its controls here
    QTextDocument *document() const;        // the label text being composed
    QTextDocument &scratch() { return T_calcul; }   // `T_calcul`
    QRect geometryTwips() const;
    QColor backgroundColor() const;
    bool isEmpty() const;
    // Puts a stored label's text and background back into the editor.
    void recall(const QTextDocument &text, const QColor &background);
    void clear();
    void giveFocus();

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
    QWidget *m_pictureControls = nullptr;

    Choosers &m_choosers;
    LabelFormatting m_formatting;
};
