#include "calibrationwindow.h"

#include "print/calibration.h"

#include "platform/dialogs.h"
#include "storage/appstate.h"
#include "storage/settingsfile.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

const QString CalibrationWindow::openingText = QStringLiteral(
    "Vous allez imprimer un carré de 20 x 20 mm\n"
    "dont les marges nominales gauche et haute sont de 20 mm.\n"
    "Positionner une feuille A4 en configuration Portrait.\n"
    "Bouton IMPRIMER.\n"
    "Mesurer en mm les marges gauche et haute du carré imprimé,puis les reporter dans:\n"
    "Marge gauche mesurée et Marge haute mesurée \n"
    "Bouton CORRIGER.");
const QString CalibrationWindow::measuringText = QStringLiteral(
    "Mesurer en mm les marges gauche et haute du carré imprimé,puis les reporter dans:\n"
    "Marge gauche mesurée et Marge haute mesurée \n"
    "Bouton CORRIGER.");
const QString CalibrationWindow::correctedText = QStringLiteral(
    "Les marges ont été corrigées.\n"
    "Vous pouvez vérifier la correction avec IMPRIMER. \n"
    "Les corrections sont sauvegardées jusqu'à la prochaine correction,\n"
    "dans le fichier etiq.ini\n"
    "Bouton QUITTER.");
const QString CalibrationWindow::resetText = QStringLiteral(
    "Les marges ont été reinitialisées.\n"
    "Vous pouvez vérifier la reinitialisation avec IMPRIMER. \n"
    "La reinitialisation est sauvegardée jusqu'à la prochaine correction,\n"
    "dans le fichier etiq.ini\n"
    "Bouton QUITTER.");

namespace {

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

CalibrationWindow::CalibrationWindow(AppState &state, Dialogs &dialogs, PagePrinter print,
                                     std::function<void()> openHelp, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_print(std::move(print))
{
    setObjectName(QStringLiteral("AJUST"));
    setWindowTitle(QStringLiteral("AJUSTEMENT DES MARGES"));
    setAttribute(Qt::WA_DeleteOnClose);

    B_imprim = named(new QPushButton(QStringLiteral("IMPRIMER"), this), "B_imprim");
    T_mesureH = named(new QLineEdit(QStringLiteral("xx.x"), this), "T_mesureH");
    T_mesureV = named(new QLineEdit(QStringLiteral("yy.y"), this), "T_mesureV");
    B_correct = named(new QPushButton(QStringLiteral("CORRIGER"), this), "B_correct");
    B_init = named(new QPushButton(QStringLiteral("INIT"), this), "B_init");
    B_doc = named(new QPushButton(QStringLiteral("DOC"), this), "B_doc");
    B_finajust = named(new QPushButton(QStringLiteral("QUITTER"), this), "B_finajust");
    E_message = named(new QLabel(openingText, this), "E_message");
    auto *E_margeH = named(new QLabel(QStringLiteral("Marge gauche nominale:20 mm"), this), "E_margeH");
    auto *E_margeV = named(new QLabel(QStringLiteral("Marge haute nominale:20 mm"), this), "E_margeV");
    auto *E_mesureH = named(new QLabel(QStringLiteral("Marge gauche mesurée en mm:"), this), "E_mesureH");
    auto *E_mesureV = named(new QLabel(QStringLiteral("Marge haute mesurée en mm:"), this), "E_mesureV");

    auto *grid = new QGridLayout(this);
    grid->addWidget(E_message, 0, 0, 1, 3);
    grid->addWidget(E_margeH, 1, 0);
    grid->addWidget(E_margeV, 1, 1);
    grid->addWidget(B_imprim, 1, 2);
    grid->addWidget(E_mesureH, 2, 0);
    grid->addWidget(T_mesureH, 2, 1);
    grid->addWidget(B_correct, 2, 2);
    grid->addWidget(E_mesureV, 3, 0);
    grid->addWidget(T_mesureV, 3, 1);
    grid->addWidget(B_init, 3, 2);
    grid->addWidget(B_doc, 4, 0);
    grid->addWidget(B_finajust, 4, 2);
    enableMeasures(false);

    connect(B_imprim, &QPushButton::clicked, this, &CalibrationWindow::B_imprim_Click);
    connect(B_correct, &QPushButton::clicked, this, &CalibrationWindow::B_correct_Click);
    connect(B_init, &QPushButton::clicked, this, &CalibrationWindow::B_init_Click);
    connect(B_doc, &QPushButton::clicked, this, [openHelp] { if (openHelp) openHelp(); });
    connect(B_finajust, &QPushButton::clicked, this, &QWidget::close);
    connect(T_mesureH, &QLineEdit::textChanged, this, &CalibrationWindow::T_mesure_Change);
    connect(T_mesureV, &QLineEdit::textChanged, this, &CalibrationWindow::T_mesure_Change);

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    m_state.calibrationOpen = true;
}

// The state is not touched when the window is destroyed: as a child of the
// main window it may outlive the state the main window holds.
void CalibrationWindow::closeEvent(QCloseEvent *event)
{
    m_state.calibrationOpen = false;
    QWidget::closeEvent(event);
}

void CalibrationWindow::enableMeasures(bool enabled)
{
    T_mesureH->setEnabled(enabled);
    T_mesureV->setEnabled(enabled);
    B_correct->setEnabled(enabled && calibration::canCorrect(T_mesureH->text(), T_mesureV->text()));
}

void CalibrationWindow::B_imprim_Click()
{
    const PrintOutcome printed = m_print(calibration::testSquare(m_state.DeltaH, m_state.DeltaV));
    if (!printed.ok) {
        m_dialogs.inform(QStringLiteral("IMPRESSION IMPOSSIBLE"),
                         QStringLiteral("Le carré n'a pas pu être imprimé.\n") + printed.reason,
                         Dialogs::Icon::Exclamation);
        return;
    }
    enableMeasures(true);
    E_message->setText(measuringText);
}

void CalibrationWindow::T_mesure_Change()
{
    if (T_mesureH->isEnabled())
        B_correct->setEnabled(calibration::canCorrect(T_mesureH->text(), T_mesureV->text()));
}

void CalibrationWindow::B_correct_Click()
{
    QString problem;
    const auto corrected =
        calibration::correct(T_mesureH->text(), T_mesureV->text(), m_state.DeltaH, m_state.DeltaV, &problem);
    if (!corrected) {
        E_message->setText(problem);
        return;
    }
    if (!save(corrected->deltaH, corrected->deltaV))
        return;
    m_state.calibrationOpen = false;
    E_message->setText(correctedText);
    enableMeasures(false);
}

void CalibrationWindow::B_init_Click()
{
    if (!save(0, 0))
        return;
    m_state.calibrationOpen = false;
    E_message->setText(resetText);
    enableMeasures(false);
}

// The new corrections take effect only once etiq.ini holds them, so the
// window never says they are saved when they are not.
bool CalibrationWindow::save(double deltaH, double deltaV)
{
    const double oldH = m_state.DeltaH, oldV = m_state.DeltaV;
    m_state.DeltaH = deltaH;
    m_state.DeltaV = deltaV;
    QString error;
    if (settingsfile::save(m_state, &error))
        return true;
    m_state.DeltaH = oldH;
    m_state.DeltaV = oldV;
    m_dialogs.inform(QStringLiteral("SAUVEGARDE IMPOSSIBLE"),
                     QStringLiteral("Les corrections n'ont pas pu être enregistrées dans etiq.ini.\n") + error,
                     Dialogs::Icon::Exclamation);
    return false;
}
