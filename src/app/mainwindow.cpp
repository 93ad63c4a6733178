#include "mainwindow.h"

#include "contactwindow.h"
#include "environmentcheck.h"
#include "functionlist.h"
#include "helpwindow.h"
#include "printdialogue.h"
#include "printersetup.h"
#include "progresswindow.h"
#include "startup.h"

#include "catalogue/cataloguewindow.h"
#include "catalogue/dimensiontext.h"
#include "catalogue/listfilter.h"
#include "catalogue/sheetchecks.h"
#include "editor/editorpanel.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetpanel.h"
#include "editor/sheetview.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/richtext/rtfwriter.h"
#include "platform/units.h"
#include "print/calibrationwindow.h"
#include "print/pagepreview.h"
#include "print/pixelpage.h"
#include "print/previewwindow.h"
#include "print/printjob.h"
#include "print/sheetrenderer.h"
#include "editor/textmeasure.h"
#include "library/libraryframe.h"
#include "library/pagepanel.h"
#include "library/pagestore.h"
#include "library/templatepanel.h"
#include "storage/pagetable.h"
#include "storage/etiqtable.h"
#include "storage/settingsfile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>

namespace {

QLabel *caption(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// The font of the window's controls and of the row and column numbers.
QFont numberFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

} // namespace

MainWindow::MainWindow(const Environment &environment, Dialogs &dialogs, Choosers &choosers, QWidget *parent)
    : QWidget(parent)
    , m_environment(environment)
    , m_dialogs(dialogs)
    , m_choosers(choosers)
{
    setObjectName(QStringLiteral("Feuille1"));
    setWindowTitle(QStringLiteral("KALVENOR"));
    setFixedSize(units::twipsToPixels(designWidth), units::twipsToPixels(designHeight));
    // The window's controls are sized for this font; the label text keeps
    // the editor's own.
    const QFont labelFont = font();
    setFont(numberFont());

    editor = new EditorPanel(this, m_choosers);
    editor->editorWidget()->setFont(labelFont);
    picture = new PicturePanel(this, editor->editorWidget(), editor->pictureControls(), m_state, m_dialogs);
    I_page = new SheetView(this);
    buildPageFrame();
    buildFunctionArea();
    sheetPanel = new SheetPanel(m_state, m_dialogs, m_sheet, I_page, editor, picture, T_nombre, this);
    connect(picture, &PicturePanel::textFocusWanted, editor, &EditorPanel::hautEtiquette);
    connect(B_effpage, &QPushButton::clicked, sheetPanel, &SheetPanel::effacpage);
    buildLibrary();

    E_screen = caption(this, "E_screen",
                       QStringLiteral("Pour imprimer les étiquettes en gris:\n-Retourner la feuille dans l'imprimante\n"
                                      "-Repositionner les étiquettes.Imprimer "));
    E_screen->setWordWrap(true);
    E_screen->hide();
    connect(&m_sheet, &WorkingSheet::unusableReleased, E_screen, &QWidget::hide);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPageFrame()
{
    F_page = new QFrame(this);
    F_page->setObjectName(QStringLiteral("F_page"));
    E_texte = caption(F_page, "E_texte", QStringLiteral("Nombre="));
    T_nombre = new QLineEdit(QStringLiteral("1"), F_page);
    T_nombre->setObjectName(QStringLiteral("T_nombre"));
    E_gauche = caption(F_page, "E_gauche", QStringLiteral("Click gauche:écrire.Click droit:effacer"));
    E_rappel = caption(F_page, "E_rappel", QStringLiteral("Controle+Click:Rappel étiquette"));
    B_effpage = new QPushButton(QStringLiteral("EFFACER PAGE"), F_page);
    B_effpage->setObjectName(QStringLiteral("B_effpage"));
    E_nombre = caption(F_page, "E_nombre",
                       QStringLiteral("Seules les 120 premières étiquettes\npeuvent recevoir une image"));
    E_nombre->setStyleSheet(QStringLiteral("color: #800000"));
    E_nombre->hide();

}

void MainWindow::buildFunctionArea()
{
    L_fonction = new FunctionList(this);
    connect(L_fonction, &FunctionList::chosen, this, &MainWindow::L_fonction_Click);

    L_etiq = new QListWidget(this);
    L_etiq->setObjectName(QStringLiteral("L_etiq"));
    L_etiq->hide();
    connect(L_etiq, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { L_etiq_Click(item->text()); });
    T_chercheetiq = new QLineEdit(this);
    T_chercheetiq->setObjectName(QStringLiteral("T_chercheetiq"));
    T_chercheetiq->hide();
    auto *search = new ListFilter(T_chercheetiq, L_etiq, this);
    connect(search, &ListFilter::chosen, this, [this](int row) { L_etiq_Click(L_etiq->item(row)->text()); });

    B_aide = new QPushButton(QStringLiteral("AIDE"), this);
    B_aide->setObjectName(QStringLiteral("B_aide"));
    B_contact = new QPushButton(QStringLiteral("CONTACT"), this);
    B_contact->setObjectName(QStringLiteral("B_contact"));
    B_finapp = new QPushButton(QStringLiteral("QUITTER"), this);
    B_finapp->setObjectName(QStringLiteral("B_finapp"));

    connect(B_aide, &QPushButton::clicked, this, &MainWindow::B_aide_Click);
    connect(B_contact, &QPushButton::clicked, this, &MainWindow::B_contact_Click);
    connect(B_finapp, &QPushButton::clicked, this, &MainWindow::B_finapp_Click);

    F_mode = new QGroupBox(QStringLiteral("Mode Impression"), this);
    F_mode->setObjectName(QStringLiteral("F_mode"));
    O_normal = new QRadioButton(QStringLiteral("Normal"), F_mode);
    O_normal->setObjectName(QStringLiteral("O_normal"));
    O_pixel = new QRadioButton(QStringLiteral("Pixels"), F_mode);
    O_pixel->setObjectName(QStringLiteral("O_pixel"));
    O_normal->setChecked(true);
    auto *modes = new QHBoxLayout(F_mode);
    modes->setContentsMargins(6, 0, 6, 0);
    modes->addWidget(O_normal);
    modes->addWidget(O_pixel);
    connect(O_pixel, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            O_pixel_Click();
    });
    connect(O_normal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            O_normal_Click();
    });
    C_decoupe = new QCheckBox(QStringLiteral("Imprimer le cadre de découpage"), this);
    C_decoupe->setObjectName(QStringLiteral("C_decoupe"));
}

void MainWindow::buildLibrary()
{
    F_modele = new LibraryFrame(this);
    const LibraryContext context{m_state,  m_dialogs,  m_working, m_sheet,
                                 editor,   picture,    sheetPanel, F_modele,
                                 [this](const SheetType &type) { changeType(type); }};
    templates = new TemplatePanel(context, this);
    pages = new PagePanel(context, this);
    connect(F_modele, &LibraryFrame::confirmed, this, &MainWindow::B_okmodele_Click);
    connect(F_modele, &LibraryFrame::nameChosen, this, [this](const QString &name) {
        if (m_templateMode)
            templates->L_modele_Click(name);
    });
}

void MainWindow::B_okmodele_Click()
{
    if (m_templateMode)
        templates->okmodele();
    else
        pages->okpage();
    L_fonction->clearSelection();
}

void MainWindow::changeType(const SheetType &type)
{
    m_state.initbd(type);
    createtiq();
    hideTypeList();
}

void MainWindow::placeControls()
{
    const SheetLayout &l = m_layout;
    L_fonction->setGeometry(units::twipsToPixels(l.functions));
    // The sheet-type list opens over the function list, a little higher.
    L_etiq->setGeometry(units::twipsToPixels(l.functions.translated(0, -210)));
    T_chercheetiq->setGeometry(units::twipsToPixels(QRect(l.functions.left(), l.functions.top() - 210 - 315,
                                                          l.functions.width(), 315)));
    B_aide->setGeometry(units::twipsToPixels(l.helpButton));
    B_contact->setGeometry(units::twipsToPixels(l.contactButton));
    B_finapp->setGeometry(units::twipsToPixels(l.quitButton));
    F_mode->setGeometry(units::twipsToPixels(l.printMode));
    C_decoupe->setGeometry(units::twipsToPixels(l.cutFrame));
    E_screen->setGeometry(units::twipsToPixels(l.screenNotice));
    F_modele->place(QRect(l.editorFrame.left(), l.templateFrameTop, l.editorFrame.width(), l.templateFrameHeight),
                    l.templateListHeight);
    placePageFrame();
}

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
    const Startup::Outcome outcome =
        startup.initialisation(readDefaultPrinterFacts(), richtext::writeRtf(QTextDocument()));
    if (!outcome.storageReady)
        return false;

    createtiq();
    L_fonction->listefonction();
    m_startDir = workingFolder;
    startup.finishStorage();
    // What an interrupted save left behind.
    pagestore::removeLeftovers(pages->pageDir());
    m_loaded = true;
    return true;
}

void MainWindow::centre()
{
    const int left = (m_state.screenWidthPx * units::twipsPerPixel - designWidth) / 2;
    const int top = (m_state.screenHeightPx * units::twipsPerPixel - designHeight) / 2;
    move(units::twipsToPixels(left), units::twipsToPixels(top));
}

void MainWindow::createtiq()
{
    m_layout = computeSheetLayout(m_state, designWidth);
    m_state.usableLabelCount = m_state.labelCount();

    editor->place(m_layout.editor, m_layout.editorFrame);
    picture->editorPlaced();
    I_page->setGeometry(units::twipsToPixels(m_layout.pagePicture));
    I_page->createCells(m_layout, QSize(m_state.labelWidth(), m_state.labelHeight()));
    m_sheet.reset(m_state.labelCount(), m_state.sheetCols());
    placeControls();
    E_nombre->setVisible(m_state.labelCount() > SheetLayout::pictureLimit);
    setWindowTitle(m_layout.caption);
    T_nombre->setText(QStringLiteral("1"));
    // A new sheet in the "Pixels" mode is limited to the screen as well.
    if (O_pixel->isChecked())
        O_pixel_Click();
    update(); // the row and column numbers
}

void MainWindow::O_pixel_Click()
{
    const int usable = pixelpage::usableLabelCount(int(m_environment.screenHeightTwips()), m_state.marginTop(),
                                                   m_layout.rowGap, m_state.labelHeight(), m_state.sheetCols());
    sheetPanel->limitTo(usable);
    E_screen->setVisible(m_state.usableLabelCount < m_state.labelCount());
}

void MainWindow::O_normal_Click()
{
    sheetPanel->releaseLimit();
    E_screen->hide();
}

void MainWindow::placePageFrame()
{
    F_page->setGeometry(units::twipsToPixels(m_layout.pageFrame));
    const int width = m_layout.pageFrame.width();
    if (m_layout.narrowPageFrame) {
        // A narrow column: the page button goes under the count.
        E_texte->setGeometry(units::twipsToPixels(0, 90, 900, 300));
        T_nombre->setGeometry(units::twipsToPixels(900, 60, 900, 330));
        B_effpage->setGeometry(units::twipsToPixels(0, 450, 2250, 360));
        E_gauche->setGeometry(units::twipsToPixels(0, 870, width, 240));
        E_rappel->setGeometry(units::twipsToPixels(0, 1110, width, 240));
        E_nombre->setGeometry(units::twipsToPixels(0, 1350, width, 330));
    } else {
        E_texte->setGeometry(units::twipsToPixels(0, 90, 900, 300));
        T_nombre->setGeometry(units::twipsToPixels(900, 60, 900, 330));
        B_effpage->setGeometry(units::twipsToPixels(2100, 45, 2250, 360));
        E_gauche->setGeometry(units::twipsToPixels(0, 450, width, 240));
        E_rappel->setGeometry(units::twipsToPixels(0, 690, width, 240));
        E_nombre->setGeometry(units::twipsToPixels(0, 960, width, 480));
    }
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(numberFont());
    const QFontMetrics metrics(painter.font());
    for (const SheetLayout::Number &n : m_layout.rowNumbers) {
        const QPoint at(units::twipsToPixels(n.anchor.x()), units::twipsToPixels(n.anchor.y()));
        painter.drawText(at.x(), at.y() - metrics.height() / 2 + metrics.ascent(), QString::number(n.value));
    }
    for (const SheetLayout::Number &n : m_layout.columnNumbers) {
        const QString text = QString::number(n.value);
        const QPoint at(units::twipsToPixels(n.anchor.x()), units::twipsToPixels(n.anchor.y()));
        painter.drawText(at.x() - metrics.horizontalAdvance(text) / 2, at.y() + metrics.ascent(), text);
    }
}

void MainWindow::L_fonction_Click(const QString &entry)
{
    Form_Click();
    if (entry == FunctionList::catalogue)
        openCatalogue();
    else if (entry == FunctionList::selection)
        selectpage();
    else if (entry == FunctionList::printerSetup)
        configxp();
    else if (entry == FunctionList::print)
        imprimer();
    else if (entry == FunctionList::calibrate)
        ajuster();
    else if (entry == FunctionList::preview)
        openPreview();
    else if (entry == FunctionList::templates) {
        m_templateMode = true;
        templates->listemodele();
    } else if (entry == FunctionList::pages) {
        picture->visuimage(false);
        editor->clear();
        picture->supimage();
        m_templateMode = false;
        pages->listepage();
    }
}

void MainWindow::ajuster()
{
    if (!m_calibration) {
        auto print = [this](const PageDrawing &square) {
            return printjob::printPage(m_state.printer.deviceName, QStringLiteral("KALVENOR AJUSTEMENT"), square);
        };
        m_calibration = new CalibrationWindow(m_state, m_dialogs, print, [this] { B_aide_Click(); }, this);
    }
    m_calibration->show();
    m_calibration->raise();
}

void MainWindow::imprimer()
{
    if (m_calibration)
        m_calibration->close();
    PrintDialogue(m_dialogs).run(pagetable::count(m_working), m_state.printer.deviceName, [this] {
        return O_normal->isChecked() ? impression() : impressionPixels();
    });
}

RenderOptions MainWindow::printOptions() const
{
    RenderOptions options;
    options.deltaH = m_state.DeltaH;
    options.deltaV = m_state.DeltaV;
    options.cutFrame = C_decoupe->isChecked();
    const PrinterFacts &printer = m_state.printer;
    options.pageWidth = printer.pageWidth;
    options.pageHeight = printer.pageHeight;
    options.printableBottom = printer.marginTop + printer.printableHeight;
    return options;
}

PrintOutcome MainWindow::impression()
{
    const auto snapshot = snapshotOf(m_sheet, m_state.type);
    if (!snapshot)
        return {false, QStringLiteral("La page ne peut pas être lue: ") + m_working.lastError()};
    const SheetSnapshot &sheet = *snapshot;
    const RenderOptions options = printOptions();

    QCoreApplication::processEvents();
    ProgressWindow progress(int(sheet.labels.size()), this);
    progress.show();
    TextMeasure measure;
    SheetRenderer renderer(measure);
    return printjob::printPage(m_state.printer.deviceName, QStringLiteral("KALVENOR %1").arg(m_state.sheetTypeName()),
                               [&](QPainter &painter) {
                                   renderer.render(painter, sheet, options, [&] {
                                       progress.P_calcul->setValue(progress.P_calcul->value() + 1);
                                   });
                               });
}

PrintOutcome MainWindow::impressionPixels()
{
    const auto snapshot = snapshotOf(m_sheet, m_state.type);
    if (!snapshot)
        return {false, QStringLiteral("La page ne peut pas être lue: ") + m_working.lastError()};
    RenderOptions options = printOptions();
    options.labelLimit = m_state.usableLabelCount;
    TextMeasure measure;
    const QImage page = pixelpage::draw(*snapshot, options, 300, measure);
    if (page.isNull())
        return {false, QStringLiteral("L'image de la page n'a pas pu être faite.")};
    return printjob::printPage(m_state.printer.deviceName, QStringLiteral("KALVENOR %1").arg(m_state.sheetTypeName()),
                               [&](QPainter &painter) {
                                   painter.drawImage(QRectF(0, 0, options.pageWidth, options.pageHeight), page);
                               });
}

void MainWindow::openPreview()
{
    const auto snapshot = snapshotOf(m_sheet, m_state.type);
    if (!snapshot) {
        m_dialogs.inform(QStringLiteral("VUE IMPOSSIBLE"),
                         QStringLiteral("La page ne peut pas être lue: ") + m_working.lastError(),
                         Dialogs::Icon::Exclamation);
        return;
    }
    const PrinterFacts &printer = m_state.printer;
    PreviewPaper paper;
    if (printer.pageWidth > 0 && printer.pageHeight > 0) {
        paper.pageWidth = printer.pageWidth;
        paper.pageHeight = printer.pageHeight;
        paper.printable = printer.printableWidth > 0 && printer.printableHeight > 0
            ? QRect(printer.marginLeft, printer.marginTop, printer.printableWidth, printer.printableHeight)
            : QRect(0, 0, paper.pageWidth, paper.pageHeight);
    }
    hide();
    m_preview = new PreviewWindow(*snapshot, paper, QSize(m_state.screenWidthPx, m_state.screenHeightPx), this);
    watchOwnWindow(m_preview);
    connect(m_preview, &PreviewWindow::closed, this, &QWidget::show);
    m_preview->show();
}

void MainWindow::selectpage()
{
    picture->supimage();
    L_etiq->clear();
    for (const SheetType &type : etiqtable::allByName(m_working))
        L_etiq->addItem(type.nom);
    T_chercheetiq->clear();
    L_etiq->show();
    L_etiq->raise();
    T_chercheetiq->show();
    T_chercheetiq->raise();
    T_chercheetiq->setFocus();
    // Labels greyed by the screen print mode are usable again.
    m_sheet.releaseUnusable();
    E_screen->hide();
}

void MainWindow::hideTypeList()
{
    L_etiq->hide();
    T_chercheetiq->hide();
}

void MainWindow::L_etiq_Click(const QString &name)
{
    if (name == m_state.sheetTypeName()) {
        hideTypeList();
        return;
    }
    const auto type = etiqtable::find(m_working, name);
    if (!type)
        return;
    // Refused before the question, so the page is not cleared for nothing.
    if (const auto refusal = sheetchecks::checkStored(*type, dimensiontext::decimalSymbol())) {
        hideTypeList();
        m_dialogs.inform(refusal->title, refusal->text, Dialogs::Icon::Exclamation);
        return;
    }
    const bool change = m_dialogs.message(QStringLiteral("CHANGEMENT D'ETIQUETTE"),
                                          QStringLiteral("Changement de dimensions d'étiquette\n"
                                                         "La page actuelle va etre supprimée\nContinuer ?"),
                                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo)
        == Dialogs::Answer::Yes;
    hideTypeList();
    if (!change)
        return;
    m_state.initbd(*type);
    sheetPanel->effacpage();
    createtiq();
    editor->clear();
    editor->focustexte();
}

void MainWindow::openCatalogue()
{
    hide();
    L_fonction->setEnabled(false);
    m_catalogue = new CatalogueWindow(m_state, m_working, m_dialogs, this);
    m_catalogue->setAttribute(Qt::WA_DeleteOnClose);
    watchOwnWindow(m_catalogue);
    connect(m_catalogue, &CatalogueWindow::closed, this, [this] {
        L_fonction->setEnabled(true);
        show();
    });
    connect(m_catalogue, &CatalogueWindow::helpRequested, this, &MainWindow::B_aide_Click);
    m_catalogue->Form_Load();
    m_catalogue->show();
}

void MainWindow::B_aide_Click()
{
    if (!m_help) {
        m_help = new HelpWindow(m_state.programDir, this);
        watchOwnWindow(m_help);
    }
    m_help->show();
    m_help->raise();
}

void MainWindow::B_contact_Click()
{
    if (!m_contact) {
        m_contact = new ContactWindow(this);
        watchOwnWindow(m_contact);
        connect(m_contact, &ContactWindow::closed, this, &QWidget::show);
    }
    m_contact->show();
    hide();
}

void MainWindow::B_finapp_Click()
{
    if (m_calibration)
        m_calibration->close();
    if (m_loaded) {
        QString error;
        if (!settingsfile::save(m_state, &error))
            m_dialogs.inform(QStringLiteral("SAUVEGARDE IMPOSSIBLE"),
                             QStringLiteral("Le type d'étiquette et les corrections de marges n'ont pas pu être "
                                            "enregistrés dans etiq.ini:\n")
                                 + error,
                             Dialogs::Icon::Exclamation);
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
        sheetPanel->effacpage();
}

void MainWindow::Form_Activate()
{
    editor->giveFocus();
    L_fonction->setEnabled(true);
    if (m_catalogue)
        m_catalogue->close();
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

void MainWindow::Form_Click()
{
    F_modele->hide();
    hideTypeList();
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    Form_Click();
    QWidget::mousePressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    // Secondary windows go with the main one.
    if (m_help)
        m_help->close();
    if (m_catalogue)
        m_catalogue->close();
    if (m_preview)
        m_preview->close();
    event->accept();
}

void MainWindow::watchOwnWindow(QWidget *window)
{
    window->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // One of the program's own windows goes away: the next activation of the
    // main window is the user coming back to it.
    if (event->type() == QEvent::Hide && watched->isWidgetType())
        m_backFromOwnWindow = true;
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        // Activation also follows every message box: only a return from
        // another window of the program moves the focus and the catalogue.
        if (m_backFromOwnWindow) {
            m_backFromOwnWindow = false;
            Form_Activate();
        }
        Form_Paint();
    }
    return QWidget::event(event);
}
