#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

// `F_modele`, the frame shared by the templates and the saved pages: the
// name list `L_modele` (a field to type a name in, with the names under
// it), the options "Ouvrir", "Ajouter" and "Supp", OK and "QUITTER"; and
// `F_charg`, the notice and progress bar shown while a page loads.
class LibraryFrame : public QFrame {
    Q_OBJECT
public:
    enum class Option { None, Open, Add, Delete };

    explicit LibraryFrame(QWidget *window);

    // Window twips: the frame's place and the height of the name list.
    void place(const QRect &frameTwips, int listHeightTwips);

    // Fills the list and shows the frame; "Ouvrir" and "Ajouter" are
    // cleared, "Supp" keeps its state.
    void showNames(const QStringList &names);
    QString name() const;
    QStringList names() const;
    Option option() const;

    // The loading notice and its bar, advanced by the caller; user input
    // waits while the window repaints.
    void showLoading();
    void advanceLoading(int done, int total);
    void hideLoading();

    QLineEdit *L_modele = nullptr;
    QListWidget *L_modeleList = nullptr;
    QRadioButton *O_ouvrir = nullptr;
    QRadioButton *O_ajout = nullptr;
    QRadioButton *O_supp = nullptr;
    QPushButton *B_okmodele = nullptr;
    QPushButton *B_finmodele = nullptr;
    QFrame *F_charg = nullptr;
    QLabel *E_message = nullptr;
    QProgressBar *P_charpage = nullptr;

signals:
    void confirmed();                       // B_okmodele
    void nameChosen(const QString &name);   // a click on a name of the list

private:
    void optionToggled(QRadioButton *option, bool checked);
};
