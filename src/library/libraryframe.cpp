#include "libraryframe.h"

#include "platform/units.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

LibraryFrame::LibraryFrame(QWidget *window)
    : QFrame(window)
{
    setObjectName(QStringLiteral("F_modele"));
    setFrameShape(QFrame::Box);
    L_modele = new QLineEdit(this);
    L_modele->setObjectName(QStringLiteral("L_modele"));
    L_modeleList = new QListWidget(this);
    L_modeleList->setObjectName(QStringLiteral("L_modeleList"));
    O_ouvrir = new QRadioButton(QStringLiteral("Ouvrir"), this);
    O_ouvrir->setObjectName(QStringLiteral("O_ouvrir"));
    O_ajout = new QRadioButton(QStringLiteral("Ajouter"), this);
    O_ajout->setObjectName(QStringLiteral("O_ajout"));
    O_supp = new QRadioButton(QStringLiteral("Supp"), this);
    O_supp->setObjectName(QStringLiteral("O_supp"));
    B_okmodele = new QPushButton(QStringLiteral("OK"), this);
    B_okmodele->setObjectName(QStringLiteral("B_okmodele"));
    B_finmodele = new QPushButton(QStringLiteral("QUITTER"), this);
    B_finmodele->setObjectName(QStringLiteral("B_finmodele"));

    F_charg = new QFrame(this);
    F_charg->setObjectName(QStringLiteral("F_charg"));
    F_charg->setAutoFillBackground(true);
    E_message = new QLabel(QStringLiteral("Chargement de la page.Patienter."), F_charg);
    E_message->setObjectName(QStringLiteral("E_message"));
    P_charpage = new QProgressBar(F_charg);
    P_charpage->setObjectName(QStringLiteral("P_charpage"));
    F_charg->hide();

    // The options may all be cleared, which exclusive buttons forbid: one
    // chosen clears the others by hand.
    for (QRadioButton *option : {O_ouvrir, O_ajout, O_supp}) {
        option->setAutoExclusive(false);
        connect(option, &QRadioButton::toggled, this, [this, option](bool on) { optionToggled(option, on); });
        // A click on the chosen option keeps it chosen.
        connect(option, &QRadioButton::clicked, option, [option](bool on) {
            if (!on)
                option->setChecked(true);
        });
    }
    connect(L_modeleList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        L_modele->setText(item->text());
        emit nameChosen(item->text());
    });
    connect(B_okmodele, &QPushButton::clicked, this, &LibraryFrame::confirmed);
    connect(B_finmodele, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void LibraryFrame::optionToggled(QRadioButton *option, bool checked)
{
    if (!checked)
        return;
    for (QRadioButton *other : {O_ouvrir, O_ajout, O_supp}) {
        if (other != option)
            other->setChecked(false);
    }
}

void LibraryFrame::place(const QRect &frameTwips, int listHeightTwips)
{
    setGeometry(units::twipsToPixels(frameTwips));
    // The names on the left half; the options, then the buttons, on the
    // right; the loading notice over the options.
    const int w = width(), h = height();
    const int field = units::twipsToPixels(300);
    const int listHeight = std::min(units::twipsToPixels(listHeightTwips), h - field - 8);
    const int half = w / 2;
    L_modele->setGeometry(4, 4, half - 8, field);
    L_modeleList->setGeometry(4, 4 + field, half - 8, std::max(listHeight, field));
    const int line = units::twipsToPixels(270);
    const int right = half + 4, rightWidth = w - half - 8;
    O_ouvrir->setGeometry(right, 4, rightWidth, line);
    O_ajout->setGeometry(right, 4 + line, rightWidth, line);
    O_supp->setGeometry(right, 4 + 2 * line, rightWidth, line);
    const int buttonTop = std::max(4 + 3 * line, h - line - 6);
    B_okmodele->setGeometry(right, buttonTop, rightWidth / 2 - 2, line);
    B_finmodele->setGeometry(right + rightWidth / 2 + 2, buttonTop, rightWidth / 2 - 2, line);
    F_charg->setGeometry(right, 4, rightWidth, 3 * line);
    E_message->setGeometry(0, 0, rightWidth, line);
    P_charpage->setGeometry(0, line + 2, rightWidth, line);
}

void LibraryFrame::showNames(const QStringList &names)
{
    L_modele->clear();
    L_modeleList->clear();
    L_modeleList->addItems(names);
    O_ouvrir->setChecked(false);
    O_ajout->setChecked(false);
    show();
    raise();
    L_modele->setFocus();
}

QString LibraryFrame::name() const
{
    return L_modele->text();
}

QStringList LibraryFrame::names() const
{
    QStringList names;
    for (int i = 0; i < L_modeleList->count(); ++i)
        names << L_modeleList->item(i)->text();
    return names;
}

LibraryFrame::Option LibraryFrame::option() const
{
    if (O_ajout->isChecked())
        return Option::Add;
    if (O_ouvrir->isChecked())
        return Option::Open;
    if (O_supp->isChecked())
        return Option::Delete;
    return Option::None;
}

void LibraryFrame::showLoading()
{
    P_charpage->setValue(0);
    F_charg->show();
    F_charg->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LibraryFrame::advanceLoading(int done, int total)
{
    P_charpage->setRange(0, std::max(total, 1));
    P_charpage->setValue(done);
    // The bar moves and the window repaints; clicks wait for the page.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LibraryFrame::hideLoading()
{
    P_charpage->reset();
    F_charg->hide();
}
