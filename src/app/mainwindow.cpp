#include "mainwindow.h"

#include "environmentcheck.h"
#include "printersetup.h"
#include "startup.h"

#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/units.h"
#include "storage/pagetable.h"
#include "storage/settingsfile.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(units::twipsToPixels(left), units::twipsToPixels(top), units::twipsToPixels(width),
                 units::twipsToPixels(height));
}

// The rich text of an empty label.
const QByteArray emptyLabelText = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Liberation Sans;}}\\f0\\fs20\\par}";

} // namespace

MainWindow::MainWindow(const Environment &environment, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_environment(environment)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Feuille1"));
    setWindowTitle(QStringLiteral("KALVENOR"));
    setFixedSize(units::twipsToPixels(designWidth), units::twipsToPixels(designHeight));

    B_finapp = new QPushButton(QStringLiteral("QUITTER"), this);
    B_finapp->setObjectName(QStringLiteral("B_finapp"));
    B_finapp->setGeometry(twipsRect(designWidth - 1500, designHeight - 600, 1350, 450));
    connect(B_finapp, &QPushButton::clicked, this, &MainWindow::B_finapp_Click);
}

MainWindow::~MainWindow() = default;

bool MainWindow::Form_Load(const QString &workingFolder)
{
    const auto screen = checkEnvironment(m_environment, m_dialogs);
    if (!screen)
        return false;
    m_state.screenWidthPx = screen->width();
    m_state.screenHeightPx = screen->height();
    centre();
    m_state.windowExtraHeight = designHeight - 11520;

    m_state.programDir = workingFolder;
    Startup::identauteur(m_state.programDir);

    Startup startup(m_state, m_working, m_dialogs);
    const Startup::Outcome outcome = startup.initialisation(readDefaultPrinterFacts(), emptyLabelText);
    if (!outcome.storageReady)
        return false;

    m_startDir = workingFolder;
    startup.finishStorage();
    m_loaded = true;
    return true;
}

void MainWindow::centre()
{
    const int left = (m_state.screenWidthPx * units::twipsPerPixel - designWidth) / 2;
    const int top = (m_state.screenHeightPx * units::twipsPerPixel - designHeight) / 2;
    move(units::twipsToPixels(left), units::twipsToPixels(top));
}

void MainWindow::B_finapp_Click()
{
    if (m_loaded) {
        Settings settings;
        settings.sheetTypeName = m_state.sheetTypeName;
        settings.deltaH = m_state.DeltaH;
        settings.deltaV = m_state.DeltaV;
        settingsfile::write(m_state.programDir + QStringLiteral("/etiq.ini"), settings);
        QFile::remove(m_state.programDir + QStringLiteral("/sauvder.jpg"));
    }
    close();
}

void MainWindow::configxp()
{
    m_printerSetupPending = printersetup::configxp(m_dialogs);
}

void MainWindow::Form_QueryUnload()
{
    if (m_loaded)
        pagetable::clear(m_working);
}

void MainWindow::Form_Activate()
{
    Form_Paint();
}

void MainWindow::Form_Paint()
{
    // Back from the desktop's printer settings: the default printer may have
    // changed.
    if (!m_printerSetupPending)
        return;
    m_state.setPrinter(readDefaultPrinterFacts());
    m_printerSetupPending = false;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}
